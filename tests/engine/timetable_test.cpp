#include "engine/timetable.h"

#include "timetable_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <utility>

namespace vistrel {
namespace {

using testing_support::expect_well_linked;
using testing_support::texts_of;
using testing_support::times_of;

constexpr std::uint32_t kMay18th2005 = 38490;

TDateTime hms(unsigned h, unsigned m, unsigned s) {
    return encode_time(0, h, m, s, 0);
}

TaskPayload reminder(std::string text) {
    TaskPayload payload;
    payload.remind_info = std::move(text);
    return payload;
}

TaskPayload program(std::string path, std::string arguments, std::uint8_t run_mode) {
    TaskPayload payload;
    payload.shell_path = std::move(path);
    payload.command_line = std::move(arguments);
    payload.run_mode = run_mode;
    return payload;
}

TEST(InsertRest, KeepsTimeOrderAndOverwritesAnExistingTime) {
    TimerList list(ListKind::rest);
    ASSERT_NE(insert_rest(list, hms(12, 0, 0), 3), nullptr);
    ASSERT_NE(insert_rest(list, hms(8, 0, 0), 5), nullptr);
    ASSERT_NE(insert_rest(list, hms(18, 0, 0), 1), nullptr);
    ASSERT_NE(insert_rest(list, hms(12, 0, 0), 3), nullptr);
    EXPECT_EQ(texts_of(list), (std::vector<std::string>{"08:00:00", "12:00:00", "18:00:00"}));

    TimerEntry* noon = insert_rest(list, hms(12, 0, 0), 7);
    ASSERT_NE(noon, nullptr);
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(noon->break_minutes(), 7);
    EXPECT_EQ(noon->flags, 0);
    EXPECT_EQ(find_entry(list, hms(12, 0, 0)), noon);
    expect_well_linked(list);
}

TEST(InsertRest, StoresTheLowEightBitsOfTheMinutes) {
    TimerList list(ListKind::rest);
    EXPECT_EQ(insert_rest(list, 0.5, 300)->break_minutes(), 300 % 256);
}

TEST(InsertTask, DatedAndEveryDayTasksAtTheSameTimeOfDayAreKeptApart) {
    TimerList list(ListKind::task);
    const TDateTime dated = encode_time(kMay18th2005, 8, 0, 0, 0);
    ASSERT_NE(insert_task(list, dated, ENTRY_TASK | ENTRY_DATED, reminder("dated")), nullptr);
    ASSERT_NE(insert_task(list, hms(23, 0, 0), ENTRY_TASK, reminder("late")), nullptr);
    ASSERT_NE(insert_task(list, hms(8, 0, 0), ENTRY_TASK, reminder("daily")), nullptr);
    // Every-day tasks come before dated ones whatever their time of day.
    EXPECT_EQ(texts_of(list), (std::vector<std::string>{"08:00:00", "23:00:00", "2005-05-18 08:00:00"}));
    EXPECT_EQ(find_entry(list, dated)->remind_info(), "dated");
    EXPECT_EQ(find_entry(list, hms(8, 0, 0))->remind_info(), "daily");
    expect_well_linked(list);
}

TEST(InsertTask, OverwritingTheSameTimeChangesTheKind) {
    TimerList list(ListKind::task);
    const TDateTime t = encode_time(kMay18th2005, 8, 0, 0, 0);
    ASSERT_NE(insert_task(list, t, ENTRY_TASK | ENTRY_DATED, reminder("a long reminder text")), nullptr);
    TimerEntry* entry = insert_task(list, t, ENTRY_TASK | ENTRY_PROGRAM | ENTRY_DATED, program("C:\\a.exe", "-x", 1));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(list.size(), 1u);
    EXPECT_TRUE(entry->is_program());
    EXPECT_TRUE(entry->is_dated());
    EXPECT_EQ(entry->run_mode(), 1);
    EXPECT_EQ(entry->shell_path(), "C:\\a.exe");
    EXPECT_EQ(entry->command_line(), "-x");

    entry = insert_task(list, t, ENTRY_TASK | ENTRY_DATED, reminder("short"));
    EXPECT_FALSE(entry->is_program());
    EXPECT_EQ(entry->remind_info(), "short");
}

TEST(InsertTask, CutsTextsToTheirByteLimitsWithoutSplittingACharacter) {
    struct Case {
        const char* name;
        TaskPayload payload;
        std::uint8_t flags;
        std::function<std::string(const TimerEntry&)> field;
        std::string expected;
    };
    const std::string han = "\xBA\xBA";  // one double-byte character
    const Case cases[] = {
        {"reminder of 250 bytes", reminder(std::string(250, 'r')), ENTRY_TASK, &TimerEntry::remind_info,
         std::string(200, 'r')},
        {"reminder whose 200th byte starts a character", reminder(std::string(199, 'r') + han), ENTRY_TASK,
         &TimerEntry::remind_info, std::string(199, 'r')},
        {"reminder of 100 characters", reminder([&] {
             std::string s;
             for (int i = 0; i < 101; ++i)
                 s += han;
             return s;
         }()),
         ENTRY_TASK, &TimerEntry::remind_info,
         [&] {
             std::string s;
             for (int i = 0; i < 100; ++i)
                 s += han;
             return s;
         }()},
        {"full 100-byte path is followed directly by the arguments", program(std::string(100, 'p'), "-args", 0),
         ENTRY_TASK | ENTRY_PROGRAM, &TimerEntry::shell_path, std::string(100, 'p')},
        {"arguments after a full path stay separate", program(std::string(100, 'p'), "-args", 0),
         ENTRY_TASK | ENTRY_PROGRAM, &TimerEntry::command_line, "-args"},
        {"path whose 100th byte starts a character", program(std::string(99, 'p') + han, "", 0),
         ENTRY_TASK | ENTRY_PROGRAM, &TimerEntry::shell_path, std::string(99, 'p')},
        {"arguments cut to 100 bytes", program("x.exe", std::string(120, 'a'), 0), ENTRY_TASK | ENTRY_PROGRAM,
         &TimerEntry::command_line, std::string(100, 'a')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TimerList list(ListKind::task);
        const TimerEntry* entry = insert_task(list, 0.5, c.flags, c.payload);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(c.field(*entry), c.expected);
    }
}

TEST(InsertTask, AShorterTextOverwritesALongerOneCleanly) {
    TimerList list(ListKind::task);
    ASSERT_NE(insert_task(list, 0.5, ENTRY_TASK | ENTRY_PROGRAM, program(std::string(100, 'p'), "old args", 2)),
              nullptr);
    const TimerEntry* entry = insert_task(list, 0.5, ENTRY_TASK | ENTRY_PROGRAM, program("new.exe", "", 0));
    EXPECT_EQ(entry->shell_path(), "new.exe");
    EXPECT_EQ(entry->command_line(), "");
    EXPECT_EQ(entry->run_mode(), 0);
}

TEST(ListLimit, A256thTimeIsRefusedButExistingTimesCanStillBeOverwritten) {
    struct Case {
        const char* name;
        ListKind kind;
        std::function<TimerEntry*(TimerList&, TDateTime)> insert;
    };
    const Case cases[] = {
        {"rest", ListKind::rest, [](TimerList& l, TDateTime t) { return insert_rest(l, t, 2); }},
        {"task", ListKind::task,
         [](TimerList& l, TDateTime t) { return insert_task(l, t, ENTRY_TASK, reminder("x")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TimerList list(c.kind);
        for (unsigned i = 0; i < kMaxEntries; ++i) {
            ASSERT_NE(c.insert(list, hms(0, i, 0)), nullptr) << i;
        }
        const auto before = times_of(list);
        EXPECT_EQ(c.insert(list, hms(23, 0, 0)), nullptr);
        EXPECT_EQ(c.insert(list, hms(0, 0, 30)), nullptr);
        EXPECT_EQ(times_of(list), before);
        EXPECT_NE(c.insert(list, hms(0, 7, 0)), nullptr);
        EXPECT_EQ(list.size(), kMaxEntries);
    }
}

TEST(GenerateRests, BuildsARegularTimetableWithAnExclusiveEnd) {
    struct Case {
        const char* name;
        TDateTime begin;
        TDateTime end;
        unsigned span;
        std::vector<std::string> texts;
    };
    std::vector<std::string> first_start;
    first_start.reserve(24);
    for (int h = 0; h < 24; ++h) {
        first_start.push_back((h < 10 ? "0" : "") + std::to_string(h) + ":00:01");
    }
    const Case cases[] = {
        {"end not included", hms(8, 0, 0), hms(12, 0, 0), 60, {"08:00:00", "09:00:00", "10:00:00", "11:00:00"}},
        {"end before the second start", hms(8, 0, 0), hms(8, 30, 0), 60, {"08:00:00"}},
        {"first start values", hms(0, 0, 1), hms(23, 59, 59), 60, first_start},
        {"odd span", hms(9, 0, 0), hms(10, 0, 0), 25, {"09:00:00", "09:25:00", "09:50:00"}},
        {"milliseconds of the begin are cleared",
         hms(9, 0, 0) + 400 / 86400000.0,
         hms(9, 20, 0),
         10,
         {"09:00:00", "09:10:00"}},
        {"end equal to begin", hms(8, 0, 0), hms(8, 0, 0), 60, {}},
        {"end before begin", hms(18, 0, 0), hms(8, 0, 0), 60, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TimerList list(ListKind::rest);
        ASSERT_NE(insert_rest(list, hms(12, 34, 56), 9), nullptr);  // replaced by the generation
        ASSERT_TRUE(generate_rests(list, c.begin, c.end, c.span, 5));
        EXPECT_EQ(texts_of(list), c.texts);
        for (const TimerEntry& entry : list) {
            EXPECT_EQ(entry.flags, 0);
            EXPECT_EQ(entry.break_minutes(), 5);
            EXPECT_EQ(find_entry(list, *parse_entry_time(entry_time_text(entry.time))), &entry);
        }
        expect_well_linked(list);
    }
}

TEST(GenerateRests, AnEndThatFallsOnAStepIsAlwaysLeftOut) {
    for (unsigned span = 10; span <= 180; ++span) {
        for (const unsigned begin_minute : {0u, 1u, 7u * 60u + 59u, 8u * 60u}) {
            const unsigned steps = (24 * 60 - 1 - begin_minute) / span;
            TimerList list(ListKind::rest);
            ASSERT_TRUE(generate_rests(list, hms(0, begin_minute, 0), hms(0, begin_minute + steps * span, 0), span, 1));
            ASSERT_EQ(list.size(), steps) << "span " << span << " from minute " << begin_minute;
        }
    }
}

TEST(GenerateRests, RefusesAZeroSpanOrMoreEntriesThanAListHolds) {
    struct Case {
        const char* name;
        TDateTime end;
        unsigned span;
        bool generated;
    };
    const Case cases[] = {
        {"zero span", hms(9, 0, 0), 0, false},
        {"every minute of a day", hms(23, 59, 59), 1, false},
        {"exactly as many as a list holds", hms(21, 14, 59), 5, true},  // 255 starts 5 minutes apart
        {"one more", hms(21, 15, 1), 5, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TimerList list(ListKind::rest);
        ASSERT_NE(insert_rest(list, hms(12, 34, 56), 9), nullptr);
        EXPECT_EQ(generate_rests(list, hms(0, 0, 0), c.end, c.span, 1), c.generated);
        EXPECT_EQ(list.size(), c.generated ? kMaxEntries : 1u);
    }
}

TEST(RemoveEntry, RemovesOnlyAnExactMatch) {
    struct Case {
        const char* name;
        TDateTime t;
        bool removed;
        std::vector<std::string> left;
    };
    const Case cases[] = {
        {"first", hms(8, 0, 0), true, {"12:00:00", "18:00:00"}},
        {"middle", hms(12, 0, 0), true, {"08:00:00", "18:00:00"}},
        {"last", hms(18, 0, 0), true, {"08:00:00", "12:00:00"}},
        {"no such time", hms(13, 0, 0), false, {"08:00:00", "12:00:00", "18:00:00"}},
        {"one millisecond off", encode_time(0, 12, 0, 0, 1), false, {"08:00:00", "12:00:00", "18:00:00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TimerList list(ListKind::rest);
        for (const TDateTime t : {hms(8, 0, 0), hms(12, 0, 0), hms(18, 0, 0)}) {
            ASSERT_NE(insert_rest(list, t, 1), nullptr);
        }
        EXPECT_EQ(remove_entry(list, c.t), c.removed);
        EXPECT_EQ(texts_of(list), c.left);
        EXPECT_EQ(find_entry(list, c.t), nullptr);
        expect_well_linked(list);
    }
}

TEST(ClearList, LeavesAnEmptyListThatCanBeFilledAgain) {
    TimerList list(ListKind::task);
    ASSERT_NE(insert_task(list, 0.25, ENTRY_TASK, reminder("a")), nullptr);
    ASSERT_NE(insert_task(list, 0.5, ENTRY_TASK, reminder("b")), nullptr);
    clear_list(list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.sentinel().next, nullptr);
    ASSERT_NE(insert_task(list, 0.75, ENTRY_TASK, reminder("c")), nullptr);
    EXPECT_EQ(times_of(list), std::vector<TDateTime>{0.75});
    expect_well_linked(list);
}

TEST(PutInOrder, SortsByTimeWithTimesThatAreNoNumberLastAndFreesLaterEntriesAtATimeTaken) {
    const std::pair<TDateTime, std::uint8_t> entries[] = {
        {1048576.0, 1}, {std::nan(""), 2}, {0.75, 3}, {0.5, 4}, {0.75, 5}, {0.25, 6},
    };
    TimerList list(ListKind::rest);
    TimerEntry* last = &list.sentinel();
    for (const auto& [t, minutes] : entries) {
        last = list.link_after(*last);
        last->time = t;
        last->payload[0] = minutes;
    }
    EXPECT_EQ(put_in_order(list), 1u);
    std::vector<int> minutes;
    for (const TimerEntry& entry : list) {
        minutes.push_back(entry.break_minutes());
    }
    EXPECT_EQ(minutes, (std::vector<int>{6, 4, 3, 1, 2}));
    EXPECT_TRUE(std::isnan(times_of(list).back()));
    expect_well_linked(list);
    EXPECT_EQ(put_in_order(list), 0u);  // a list in order stays as it is
    EXPECT_EQ(list.size(), 5u);
}

}  // namespace
}  // namespace vistrel
