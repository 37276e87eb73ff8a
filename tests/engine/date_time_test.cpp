#include "engine/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vistrel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::uint32_t kMay18th2005 = 38490;
constexpr std::uint32_t kNewYear2080 = 65746;  // beyond what 16-bit day numbers hold

TDateTime hms(unsigned h, unsigned m, unsigned s, unsigned ms = 0) {
    return encode_time(0, h, m, s, ms);
}

TEST(DayNumber, CountsDaysFromTheEpochAcrossCenturies) {
    struct Case {
        int year, month, day;
        std::int64_t days;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},    {1899, 12, 31, 1},   {1900, 1, 1, 2},     {1900, 4, 9, 100},
        {2005, 5, 18, 38490}, {2079, 6, 6, 65537}, {2080, 1, 1, 65746}, {9999, 12, 31, 2958465},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        EXPECT_EQ(day_number(c.year, c.month, c.day), c.days);
    }
}

TEST(IsValidDate, KnowsMonthLengthsAndLeapYears) {
    struct Case {
        int year, month, day;
        bool valid;
    };
    const Case cases[] = {
        {2004, 2, 29, true},  {2000, 2, 29, true},  {1900, 2, 29, false}, {2005, 2, 29, false},
        {2005, 4, 31, false}, {2005, 12, 31, true}, {2005, 13, 1, false}, {2005, 0, 1, false},
        {2005, 1, 0, false},  {0, 1, 1, false},     {10000, 1, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        EXPECT_EQ(is_valid_date(c.year, c.month, c.day), c.valid);
    }
}

TEST(EncodeTime, GivesExactFractionsOfADay) {
    EXPECT_EQ(hms(12, 0, 0), 0.5);
    EXPECT_EQ(hms(6, 0, 0), 0.25);
    EXPECT_EQ(encode_time(kMay18th2005, 18, 0, 0, 0), 38490.75);
    EXPECT_EQ(hms(24, 0, 0), 1.0);
}

TEST(EncodeTime, GivesEveryWholeSecondTheValueSchedulesWereWrittenWith) {
    // Files hold days + ms x (1 / 86400000) with the reciprocal, product and sum in 80-bit extended precision. Where
    // the compiler has that precision the formula itself is the reference; a plain double reciprocal gets 10,970
    // seconds of every day wrong, 00:00:09 the first of them.
    EXPECT_EQ(hms(0, 0, 9), 0x1.b4e81b4e81b4fp-14);
    EXPECT_EQ(hms(23, 59, 59), 0x1.fffe7ba375f32p-1);
    if (std::numeric_limits<long double>::digits != 64) {
        GTEST_SKIP() << "no 80-bit long double to compute the reference with";
    }
    for (const std::uint32_t days : {0u, 1u, kMay18th2005, 65535u, kNewYear2080}) {
        int differing = 0;
        for (std::uint32_t second = 0; second < 86400; ++second) {
            const long double extended = static_cast<long double>(days) + (second * 1000.0L) * (1.0L / 86400000.0L);
            differing += encode_time(days, 0, 0, second, 0) != static_cast<double>(extended) ? 1 : 0;
        }
        EXPECT_EQ(differing, 0) << "day " << days;
    }
}

TEST(DecodeTime, InvertsEncodeTimeIncludingDaysPast2079) {
    const DecodedTime cases[] = {
        {0, 0, 0, 0, 0},
        {0, 23, 59, 59, 999},
        {0, 8, 30, 15, 250},
        {kMay18th2005, 14, 30, 0, 0},
        {kNewYear2080, 8, 0, 1, 0},
        {4000000, 12, 0, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.days << " " << c.hours << ":" << c.minutes << ":" << c.seconds);
        EXPECT_EQ(decode_time(encode_time(c.days, c.hours, c.minutes, c.seconds, c.milliseconds)), c);
    }
}

TEST(DecodeTime, TakesTheFractionOfNegativeTimesAsItsMagnitudeAndIgnoresNonNumbers) {
    const DecodedTime negative = decode_time(-0.25);
    EXPECT_EQ(negative.hours, 6);
    EXPECT_EQ(decode_time(kNaN), DecodedTime{});
    EXPECT_EQ(decode_time(std::numeric_limits<double>::infinity()), DecodedTime{});
    EXPECT_EQ(decode_time(1e300), DecodedTime{});
}

TEST(SetTimePart, ClearsMillisecondsAfterRoundingToWholeMilliseconds) {
    struct Case {
        const char* name;
        TDateTime value;
        TDateTime cleared;
    };
    const double half_ms = 0.5 / 86400000.0;
    const Case cases[] = {
        {"999 ms", hms(10, 0, 0, 999), hms(10, 0, 0)},
        {"less than half a ms short of the next second", hms(10, 0, 1) - 0.8 * half_ms, hms(10, 0, 1)},
        {"whole second", hms(10, 0, 0), hms(10, 0, 0)},
        {"dated past 2079", encode_time(kNewYear2080, 7, 30, 0, 400), encode_time(kNewYear2080, 7, 30, 0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TDateTime t = c.value;
        EXPECT_EQ(set_time_part(t, 0, TimePart::milliseconds), c.cleared);
        EXPECT_EQ(t, c.cleared);
    }
}

TEST(SetTimePart, ReplacesTheNamedPartOnly) {
    struct Case {
        TimePart part;
        std::uint32_t value;
        TDateTime expected;
    };
    const TDateTime start = encode_time(kMay18th2005, 10, 30, 20, 0);
    const Case cases[] = {
        {TimePart::seconds, 5, encode_time(kMay18th2005, 10, 30, 5, 0)},
        {TimePart::minutes, 0, encode_time(kMay18th2005, 10, 0, 20, 0)},
        {TimePart::hours, 23, encode_time(kMay18th2005, 23, 30, 20, 0)},
        {TimePart::days, kNewYear2080, encode_time(kNewYear2080, 10, 30, 20, 0)},
        {static_cast<TimePart>(9), 7, start},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "part " << static_cast<int>(c.part));
        TDateTime t = start;
        EXPECT_EQ(set_time_part(t, c.value, c.part), c.expected);
    }
}

TEST(AddTime, AddsUnitsAndGivesZeroForAnUnknownUnit) {
    struct Case {
        TimePart unit;
        std::uint16_t n;
        TDateTime expected;
    };
    const Case cases[] = {
        {TimePart::milliseconds, 43200, 0.5 + 0.0005},
        {TimePart::seconds, 21600, 0.75},
        {TimePart::minutes, 720, 1.0},
        {TimePart::hours, 6, 0.75},
        {TimePart::days, 3, 3.5},
        {static_cast<TimePart>(5), 1, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "unit " << static_cast<int>(c.unit));
        EXPECT_DOUBLE_EQ(add_time(0.5, c.n, c.unit), c.expected);
    }
    EXPECT_EQ(add_time(0.5, 0, static_cast<TimePart>(5)), 0.0);
    EXPECT_EQ(add_minutes(0.25, 360), 0.5);
}

TEST(MsUntil, MeasuresFromNowAndClampsToOneDay) {
    const TDateTime now = kMay18th2005 + 0.5;  // 2005-05-18 12:00:00
    struct Case {
        const char* name;
        TDateTime t;
        TimePart unit;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"every day, later today", 0.75, TimePart::milliseconds, 21600000},
        {"every day, passed today", 0.25, TimePart::milliseconds, -21600000},
        {"due exactly now", 0.5, TimePart::milliseconds, 0},
        {"dated three days ahead", kMay18th2005 + 3.5, TimePart::milliseconds, 86400000},
        {"dated three days past", kMay18th2005 - 3.5, TimePart::milliseconds, -86400000},
        {"dated, less than a day ahead", kMay18th2005 + 1.25, TimePart::milliseconds, 64800000},
        {"in seconds", 0.75, TimePart::seconds, 21600},
        {"in minutes", 0.75, TimePart::minutes, 360},
        {"in hours", 0.75, TimePart::hours, 6},
        {"unknown unit", 0.75, TimePart::days, 0},
        {"not a number is never due", kNaN, TimePart::milliseconds, -86400000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ms_until(c.t, now, c.unit), c.expected);
    }
}

TEST(AbsoluteTime, PutsEveryDayTimesOnTodaysDate) {
    const TDateTime now = kMay18th2005 + 0.9;
    EXPECT_EQ(absolute_time(0.25, now), kMay18th2005 + 0.25);
    EXPECT_EQ(absolute_time(kNewYear2080 + 0.25, now), kNewYear2080 + 0.25);
}

TEST(EntryTimeText, FormatsEveryDayAndDatedTimes) {
    struct Case {
        const char* name;
        TDateTime t;
        const char* text;
    };
    const Case cases[] = {
        {"noon every day", 0.5, "12:00:00"},
        {"midnight every day", 0.0, "00:00:00"},
        {"dated", encode_time(kMay18th2005, 18, 0, 0, 0), "2005-05-18 18:00:00"},
        {"dated at midnight leaves the time out", kMay18th2005, "2005-05-18"},
        {"dated past 2079", encode_time(kNewYear2080, 8, 0, 0, 0), "2080-01-01 08:00:00"},
        {"rounds to whole milliseconds first", hms(10, 0, 0, 999) + 0.9 / 86400000.0, "10:00:01"},
        {"last day shown with a time", 79999.5, "2119-01-10 12:00:00"},
        {"day 80000 at midnight", 80000.0, "2119-01-11"},
        {"beyond day 80000", 80000.5, "1900-04-09"},
        {"before day -80000", -80000.5, "1900-04-09"},
        {"not a number", kNaN, "1900-04-09"},
        {"negative every-day fraction", -0.5, "12:00:00"},
        {"dated before the epoch", -1.25, "1899-12-29 06:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(entry_time_text(c.t), c.text);
    }
}

TEST(ParseEntryTime, ReadsBackWhatEntryTimeTextWrote) {
    struct Case {
        const char* text;
        TDateTime t;
    };
    const Case cases[] = {
        {"12:00:00", 0.5},
        {"00:00:00", 0.0},
        {"8:5:3", hms(8, 5, 3)},
        {"2005-05-18 18:00:00", encode_time(kMay18th2005, 18, 0, 0, 0)},
        {"2005-05-18", kMay18th2005},
        {"2080-01-01 08:00:00", encode_time(kNewYear2080, 8, 0, 0, 0)},
        {"1899-12-31 00:00:01", encode_time(1, 0, 0, 1, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parse_entry_time(c.text), std::optional<TDateTime>(c.t));
    }
}

TEST(ParseEntryTime, RefusesTextThatIsNoTimeOrOutOfRange) {
    const char* const cases[] = {
        "",
        "abc",
        "12:00",
        "24:00:00",
        "12:60:00",
        "12:00:60",
        "12:00:00 ",
        " 12:00:00",
        "12:00:00x",
        "123:00:00",
        "2005-02-30 00:00:00",
        "2005-13-01",
        "05-05-18",
        "2005-05-18 ",
        "1899-12-30",
        "0000-01-01",
        "2005-05-18T08:00:00",
        "-1:00:00",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parse_entry_time(text).has_value());
    }
}

TEST(ParseEntryTime, FindsEveryWholeSecondOfADayAndDatedTimesAgain) {
    // The pages find a row's entry by parsing its text and comparing times exactly.
    for (std::uint32_t second = 0; second < 86400; second += 7) {
        const TDateTime daily = hms(0, 0, second);
        const TDateTime dated = encode_time(kMay18th2005 + second / 7, 0, 0, second, 0);
        ASSERT_EQ(parse_entry_time(entry_time_text(daily)), std::optional<TDateTime>(daily)) << second;
        ASSERT_EQ(parse_entry_time(entry_time_text(dated)), std::optional<TDateTime>(dated)) << second;
    }
}

TEST(SplitEntryTime, KeepsNumbersUncheckedForTheCallerToJudge) {
    const auto civil = split_entry_time("2005-02-30 25:61:99");
    ASSERT_TRUE(civil.has_value());
    EXPECT_EQ(*civil, (CivilTime{true, 2005, 2, 30, 25, 61, 99}));
    EXPECT_EQ(split_entry_time("7:08:09"), (CivilTime{false, 0, 0, 0, 7, 8, 9}));
}

}  // namespace
}  // namespace vistrel
