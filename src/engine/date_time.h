#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vistrel {

/// Days since 1899-12-30 00:00 local time; the whole days are the date, the fraction the time of day.
/// An entry time with day part 0 recurs every day.
using TDateTime = double;

inline constexpr double kMsPerDay = 86400000.0;

/// Units of `ms_until` and `add_time`, and parts of `set_time_part`.
enum class TimePart : int { milliseconds = 0, seconds = 1, minutes = 2, hours = 3, days = 4 };

/// A time split into its parts. Days are 32 bits wide so dated entries work past 2079-06-04.
struct DecodedTime {
    std::uint32_t days = 0;
    std::uint16_t hours = 0;  // 24 only when the fraction rounds up to a whole day
    std::uint16_t minutes = 0;
    std::uint16_t seconds = 0;
    std::uint16_t milliseconds = 0;

    friend bool operator==(const DecodedTime&, const DecodedTime&) = default;
};

/// A calendar date and a time of day, as written in entry texts.
struct CivilTime {
    bool has_date = false;
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const CivilTime&, const CivilTime&) = default;
};

/// The whole days of t, truncated toward zero; 0 for values that are no date at all (NaN, beyond 2^53 days).
std::int64_t day_part(TDateTime t);

/// t on today's date when it is an every-day time, else t itself.
TDateTime absolute_time(TDateTime t, TDateTime now);

/// How long from now until t in the given unit, clamped to one day either way; milliseconds to the nearest one,
/// larger units truncated toward zero.
std::int64_t ms_until(TDateTime t, TDateTime now, TimePart unit = TimePart::milliseconds);

/// Builds a time from its parts: days plus the milliseconds over a day's, the double nearest the true value.
TDateTime encode_time(std::uint32_t days,
                      std::uint32_t hours,
                      std::uint32_t minutes,
                      std::uint32_t seconds,
                      std::uint32_t milliseconds);

/// Splits a time into its parts; the fraction is first rounded to whole milliseconds.
DecodedTime decode_time(TDateTime t);

/// Replaces one part of t, stores the result back into t and returns it; an unknown part changes nothing.
TDateTime set_time_part(TDateTime& t, std::uint32_t value, TimePart part);

/// t plus n units; an unknown unit gives 0.0.
TDateTime add_time(TDateTime t, std::uint16_t n, TimePart unit);

/// t plus n minutes: the step of a generated rest timetable.
TDateTime add_minutes(TDateTime t, std::uint32_t n);

/// Day number of a proleptic Gregorian date (1899-12-30 is day 0).
std::int64_t day_number(int year, int month, int day);

/// Whether year-month-day is a real calendar date.
bool is_valid_date(int year, int month, int day);

/// Display text of an entry time: "hh:mm:ss" for an every-day time, "yyyy-mm-dd hh:mm:ss" for a dated one
/// ("yyyy-mm-dd" alone at midnight). Values outside +-80000 days are shown as day 100.
std::string entry_time_text(TDateTime t);

/// Whether entry_time_text shows t itself: times beyond +-80000 days (past 2119-01-11) are taken for corrupt
/// values and shown as day 100.
bool is_showable_time(TDateTime t);

/// Splits "hh:mm:ss", "yyyy-mm-dd hh:mm:ss" or "yyyy-mm-dd" into numbers without checking their ranges.
std::optional<CivilTime> split_entry_time(std::string_view text);

/// Reads an entry text back into the time it was made from; nullopt when it is no valid date or time.
std::optional<TDateTime> parse_entry_time(std::string_view text);

/// The time of a civil date and time (every-day time when it has no date); the fields must be in range.
TDateTime civil_to_time(const CivilTime& civil);

}  // namespace vistrel
