#include "engine/date_time.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace vistrel {
namespace {

// Largest magnitude whose whole days are still exact in a double.
constexpr double kMaxExactDays = 9007199254740992.0;

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's days_from_civil).
constexpr std::int64_t days_from_civil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct CivilDate {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

CivilDate civil_from_days(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

// A constant, so that times built during static initialisation elsewhere already see it.
constexpr std::int64_t kEpochFromUnix = days_from_civil(1899, 12, 30);

// Takes numbers and separators off the front of a text.
class TextReader {
public:
    explicit TextReader(std::string_view text) : text_(text) {}

    bool done() const { return text_.empty(); }

    bool skip(char c) {
        if (text_.empty() || text_.front() != c) {
            return false;
        }
        text_.remove_prefix(1);
        return true;
    }

    std::optional<int> number(std::size_t min_digits, std::size_t max_digits) {
        int value = 0;
        std::size_t digits = 0;
        while (!text_.empty() && digits < max_digits && text_.front() >= '0' && text_.front() <= '9') {
            value = value * 10 + (text_.front() - '0');
            text_.remove_prefix(1);
            ++digits;
        }
        if (digits < min_digits) {
            return std::nullopt;
        }
        return value;
    }

    // Three numbers joined by a separator, "yyyy-m-d" or "h:m:s": the last two have one or two digits.
    std::optional<std::array<int, 3>> triple(char separator, std::size_t first_min, std::size_t first_max) {
        const auto first = number(first_min, first_max);
        if (!first || !skip(separator)) {
            return std::nullopt;
        }
        const auto second = number(1, 2);
        if (!second || !skip(separator)) {
            return std::nullopt;
        }
        const auto third = number(1, 2);
        if (!third) {
            return std::nullopt;
        }
        return std::array{*first, *second, *third};
    }

private:
    std::string_view text_;
};

}  // namespace

std::int64_t day_part(TDateTime t) {
    if (!(std::fabs(t) < kMaxExactDays)) {
        return 0;
    }
    return static_cast<std::int64_t>(t);
}

TDateTime absolute_time(TDateTime t, TDateTime now) {
    if (day_part(t) != 0) {
        return t;
    }
    return t + static_cast<double>(day_part(now));
}

std::int64_t ms_until(TDateTime t, TDateTime now, TimePart unit) {
    long double d = static_cast<long double>(absolute_time(t, now)) - now;
    if (std::isnan(d) || std::truncl(d) < 0) {
        d = -1.0L;  // a time that is no number is treated as long past: it is never due
    } else if (std::truncl(d) > 0) {
        d = 1.0L;
    }
    switch (unit) {
        case TimePart::milliseconds:
            // Rounded, not truncated: times are whole milliseconds, and their difference in days is not exact in
            // binary, so truncating would arm timers a millisecond early about one time in three.
            return std::llroundl(d * 24 * 60 * 60 * 1000);
        case TimePart::seconds:
            return static_cast<std::int64_t>(d * 24 * 60 * 60);
        case TimePart::minutes:
            return static_cast<std::int64_t>(d * 24 * 60);
        case TimePart::hours:
            return static_cast<std::int64_t>(d * 24);
        case TimePart::days:
            break;
    }
    return 0;
}

TDateTime encode_time(std::uint32_t days,
                      std::uint32_t hours,
                      std::uint32_t minutes,
                      std::uint32_t seconds,
                      std::uint32_t milliseconds) {
    const std::uint64_t ms =
        std::uint64_t{hours} * 3600000 + std::uint64_t{minutes} * 60000 + std::uint64_t{seconds} * 1000 + milliseconds;
    // Whole milliseconds over a whole day's: one division of exact integers is rounded once, to the double nearest
    // the true value, on every compiler. That is also what schedule files hold for every whole second, where they
    // were computed with the reciprocal in extended precision. Beyond 2^53 ms (dates past the year 285,000) the sum
    // is no longer exact, and then it is only near.
    constexpr std::uint64_t kMsPerDayWhole = 86400000;
    constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
    const std::uint64_t total = std::uint64_t{days} * kMsPerDayWhole + ms;
    if (total < kExactLimit) {
        return static_cast<double>(total) / kMsPerDay;
    }
    return static_cast<double>(days) + static_cast<double>(ms) / kMsPerDay;
}

DecodedTime decode_time(TDateTime t) {
    if (!(std::fabs(t) < kMaxExactDays)) {
        return {};  // no date at all: NaN, infinite, or too large to carry a fraction
    }
    const std::int64_t whole = day_part(t);
    const long double fraction = std::fabs(static_cast<long double>(t) - static_cast<long double>(whole));
    const auto ms = static_cast<std::uint32_t>(std::nearbyintl(fraction * 86400000.0L));
    const std::uint32_t minutes_of_day = ms / 60000;
    const std::uint32_t rest = ms % 60000;
    DecodedTime decoded;
    decoded.days = static_cast<std::uint32_t>(whole);
    decoded.hours = static_cast<std::uint16_t>(minutes_of_day / 60);
    decoded.minutes = static_cast<std::uint16_t>(minutes_of_day % 60);
    decoded.seconds = static_cast<std::uint16_t>(rest / 1000);
    decoded.milliseconds = static_cast<std::uint16_t>(rest % 1000);
    return decoded;
}

TDateTime set_time_part(TDateTime& t, std::uint32_t value, TimePart part) {
    DecodedTime d = decode_time(t);
    const auto part_value = static_cast<std::uint16_t>(value);
    switch (part) {
        case TimePart::milliseconds:
            d.milliseconds = part_value;
            break;
        case TimePart::seconds:
            d.seconds = part_value;
            break;
        case TimePart::minutes:
            d.minutes = part_value;
            break;
        case TimePart::hours:
            d.hours = part_value;
            break;
        case TimePart::days:
            d.days = value;
            break;
    }
    t = encode_time(d.days, d.hours, d.minutes, d.seconds, d.milliseconds);
    return t;
}

TDateTime add_time(TDateTime t, std::uint16_t n, TimePart unit) {
    const long double base = t;
    switch (unit) {
        case TimePart::milliseconds:
            return static_cast<double>(base + n / 86400000.0L);
        case TimePart::seconds:
            return static_cast<double>(base + n / 86400.0L);
        case TimePart::minutes:
            return static_cast<double>(base + n / 1440.0L);
        case TimePart::hours:
            return static_cast<double>(base + n / 24.0L);
        case TimePart::days:
            return static_cast<double>(base + n);
    }
    return 0.0;
}

TDateTime add_minutes(TDateTime t, std::uint32_t n) {
    return static_cast<double>(static_cast<long double>(t) + n / 1440.0L);
}

std::int64_t day_number(int year, int month, int day) {
    return days_from_civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochFromUnix;
}

bool is_valid_date(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    static constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int days = kDaysInMonth[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= days;
}

bool is_showable_time(TDateTime t) {
    return t <= 80000 && t >= -80000;
}

std::string entry_time_text(TDateTime t) {
    if (!is_showable_time(t)) {
        t = 100.0;  // out-of-range times (corrupt file contents) show as 1900-04-09
    }
    std::int64_t day = day_part(t);
    DecodedTime time = decode_time(t);
    if (time.hours == 24) {  // the fraction rounded up to a whole day
        time.hours = 0;
        day += day != 0 ? 1 : 0;
    }
    char text[32];
    if (day_part(t) == 0) {
        std::snprintf(text, sizeof text, "%02u:%02u:%02u", unsigned{time.hours}, unsigned{time.minutes},
                      unsigned{time.seconds});
        return text;
    }
    const CivilDate date = civil_from_days(day + kEpochFromUnix);
    const int length =
        std::snprintf(text, sizeof text, "%04lld-%02u-%02u", static_cast<long long>(date.year), date.month, date.day);
    if (t != static_cast<double>(day_part(t))) {
        std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), " %02u:%02u:%02u",
                      unsigned{time.hours}, unsigned{time.minutes}, unsigned{time.seconds});
    }
    return text;
}

std::optional<CivilTime> split_entry_time(std::string_view text) {
    TextReader reader(text);
    CivilTime civil;
    if (text.find('-') != std::string_view::npos) {
        const auto date = reader.triple('-', 4, 4);
        if (!date) {
            return std::nullopt;
        }
        civil.has_date = true;
        civil.year = (*date)[0];
        civil.month = (*date)[1];
        civil.day = (*date)[2];
        if (reader.done()) {
            return civil;  // midnight of a dated entry is shown without its time
        }
        if (!reader.skip(' ')) {
            return std::nullopt;
        }
    }
    const auto time = reader.triple(':', 1, 2);
    if (!time || !reader.done()) {
        return std::nullopt;
    }
    civil.hour = (*time)[0];
    civil.minute = (*time)[1];
    civil.second = (*time)[2];
    return civil;
}

std::optional<TDateTime> parse_entry_time(std::string_view text) {
    const auto civil = split_entry_time(text);
    if (!civil || civil->hour > 23 || civil->minute > 59 || civil->second > 59) {
        return std::nullopt;
    }
    if (civil->has_date && (!is_valid_date(civil->year, civil->month, civil->day) ||
                            day_number(civil->year, civil->month, civil->day) < 1)) {
        return std::nullopt;
    }
    return civil_to_time(*civil);
}

TDateTime civil_to_time(const CivilTime& civil) {
    const std::int64_t days = civil.has_date ? day_number(civil.year, civil.month, civil.day) : 0;
    return encode_time(static_cast<std::uint32_t>(days), static_cast<std::uint32_t>(civil.hour),
                       static_cast<std::uint32_t>(civil.minute), static_cast<std::uint32_t>(civil.second), 0);
}

}  // namespace vistrel
