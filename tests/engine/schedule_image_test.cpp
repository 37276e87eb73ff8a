#include "engine/schedule_image.h"

#include "support/schedule_bytes.h"
#include "timetable_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

namespace vistrel {
namespace {

using namespace testing_support;

// Little-endian IEEE 754 images of the times used below, written out by hand.
const Bytes kQuarterDay = {0, 0, 0, 0, 0, 0, 0xD0, 0x3F};
const Bytes kHalfDay = {0, 0, 0, 0, 0, 0, 0xE0, 0x3F};
const Bytes kThreeQuarterDay = {0, 0, 0, 0, 0, 0, 0xE8, 0x3F};
const Bytes kMay18th2005Noon = {0, 0, 0, 0, 0x50, 0xCB, 0xE2, 0x40};

// The schedule of the golden image below.
void fill_sample(Schedule& schedule) {
    ASSERT_NE(insert_rest(schedule.rest_list, 0.75, 1), nullptr);
    ASSERT_NE(insert_rest(schedule.rest_list, 0.5, 5), nullptr);
    TaskPayload reminder;
    reminder.remind_info = "\xD0\xDD\xCF\xA2";
    ASSERT_NE(insert_task(schedule.task_list, 0.25, ENTRY_TASK, reminder), nullptr);
    TaskPayload program;
    program.run_mode = 2;
    program.shell_path = "C:\\a.exe";
    program.command_line = "-x";
    ASSERT_NE(insert_task(schedule.task_list, 38490.5, ENTRY_TASK | ENTRY_PROGRAM | ENTRY_DATED, program), nullptr);
}

Bytes sample_image() {
    return concat({standard_header(2, 2), rest_record(kHalfDay, 5), rest_record(kThreeQuarterDay, 1),
                   reminder_record(kQuarterDay, 2, "\xD0\xDD\xCF\xA2"),
                   program_record(kMay18th2005Noon, 7, 2, "C:\\a.exe", "-x")});
}

TEST(WriteScheduleImage, IsTheStandardHeaderTheCountsAndTheRecordsInListOrder) {
    Schedule schedule;
    fill_sample(schedule);
    const Bytes image = write_schedule_image(schedule);
    EXPECT_EQ(image.size(), 37u + 2 * 32 + 2 * 232);
    EXPECT_EQ(image, sample_image());
}

TEST(WriteScheduleImage, OfEmptyListsIsTheHeaderWithZeroCounts) {
    const Schedule schedule;
    EXPECT_EQ(write_schedule_image(schedule), standard_header(0, 0));
}

TEST(ReadScheduleImage, RestoresEveryField) {
    Schedule schedule;
    const ImageContents contents = read_schedule_image(sample_image(), schedule);
    EXPECT_EQ(contents.rest_records, 2u);
    EXPECT_EQ(contents.task_records, 2u);
    EXPECT_EQ(times_of(schedule.rest_list), (std::vector<TDateTime>{0.5, 0.75}));
    EXPECT_EQ(times_of(schedule.task_list), (std::vector<TDateTime>{0.25, 38490.5}));
    EXPECT_EQ(schedule.rest_list.first()->break_minutes(), 5);
    const TimerEntry& reminder = *schedule.task_list.first();
    EXPECT_EQ(reminder.flags, ENTRY_TASK);
    EXPECT_EQ(reminder.remind_info(), "\xD0\xDD\xCF\xA2");
    const TimerEntry& program = *reminder.next;
    EXPECT_EQ(program.flags, ENTRY_TASK | ENTRY_PROGRAM | ENTRY_DATED);
    EXPECT_EQ(program.run_mode(), 2);
    EXPECT_EQ(program.shell_path(), "C:\\a.exe");
    EXPECT_EQ(program.command_line(), "-x");
    expect_well_linked(schedule.rest_list);
    expect_well_linked(schedule.task_list);
    EXPECT_EQ(write_schedule_image(schedule), sample_image());
}

TEST(ReadScheduleImage, ReadsAFullPathApartFromTheArgumentsThatFollowIt) {
    const Bytes image = concat({standard_header(0, 1), program_record(kHalfDay, 6, 0, std::string(100, 'p'), "-args")});
    Schedule schedule;
    read_schedule_image(image, schedule);
    ASSERT_EQ(schedule.task_list.size(), 1u);
    EXPECT_EQ(schedule.task_list.first()->shell_path(), std::string(100, 'p'));
    EXPECT_EQ(schedule.task_list.first()->command_line(), "-args");
}

TEST(ReadScheduleImage, ReadsOnlyWholeRecordsThatTheCountsPromise) {
    struct Case {
        const char* name;
        Bytes image;
        std::vector<TDateTime> rests;
        std::vector<TDateTime> tasks;
        std::size_t left_out;  // promised but not in the bytes
    };
    const Case cases[] = {
        {"zero counts", standard_header(0, 0), {}, {}, 0},
        {"out of order: put in order",
         concat({standard_header(2, 0), rest_record(kHalfDay, 1), rest_record(kQuarterDay, 1)}),
         {0.25, 0.5},
         {},
         0},
        {"rest count beyond the bytes: no task is read",
         concat({standard_header(3, 1), rest_record(kHalfDay, 1), rest_record(kThreeQuarterDay, 1), Bytes(10, 0)}),
         {0.5, 0.75},
         {},
         2},
        {"partial task record",
         concat({standard_header(1, 2), rest_record(kHalfDay, 1), reminder_record(kQuarterDay, 2, "a"), Bytes(231, 0)}),
         {0.5},
         {0.25},
         1},
        {"bytes left over from a longer save",
         concat({standard_header(1, 0), rest_record(kHalfDay, 1), rest_record(kQuarterDay, 1),
                 reminder_record(kQuarterDay, 2, "a")}),
         {0.5},
         {},
         0},
        {"tasks start right after the header when there are no rests",
         concat({standard_header(0, 1), reminder_record(kThreeQuarterDay, 2, "a")}),
         {},
         {0.75},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Schedule schedule;
        const ImageContents contents = read_schedule_image(c.image, schedule);
        EXPECT_TRUE(contents.schedule);
        EXPECT_EQ(times_of(schedule.rest_list), c.rests);
        EXPECT_EQ(times_of(schedule.task_list), c.tasks);
        EXPECT_EQ(contents.rest_records, c.rests.size());
        EXPECT_EQ(contents.task_records, c.tasks.size());
        EXPECT_EQ(contents.left_out, c.left_out);
    }
}

TEST(ReadScheduleImage, TakesNothingFromWhatIsNoScheduleOfThisProgram) {
    Bytes foreign_header(37, 'X');
    foreign_header[35] = 1;
    foreign_header[36] = 0;
    struct Case {
        const char* name;
        Bytes image;
    };
    const Case cases[] = {
        {"no bytes", {}},
        {"no count bytes", Bytes(35, 0)},
        {"only the rest count", Bytes(36, 1)},
        {"a foreign header", concat({foreign_header, rest_record(kHalfDay, 1)})},
        {"nothing but zero bytes", Bytes(37 + 3 * 32, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Schedule schedule;
        const ImageContents contents = read_schedule_image(c.image, schedule);
        EXPECT_FALSE(contents.schedule);
        EXPECT_TRUE(schedule.rest_list.empty());
        EXPECT_TRUE(schedule.task_list.empty());
        EXPECT_EQ(contents.rest_records + contents.task_records + contents.left_out, 0u);
    }
}

TEST(ReadScheduleImage, IgnoresReservedBytesAndWritesThemAsZero) {
    Bytes rest = rest_record(kHalfDay, 4);
    put(rest, 0, std::string(16, '\xEE'));  // stale link words and reserved bytes
    put(rest, 26, std::string(6, '\xEE'));
    Bytes task = reminder_record(kQuarterDay, 2, "a");
    put(task, 0, std::string(16, '\xEE'));
    const Bytes image = concat({standard_header(1, 1), rest, task});

    Schedule schedule;
    read_schedule_image(image, schedule);
    EXPECT_EQ(schedule.rest_list.first()->break_minutes(), 4);
    EXPECT_EQ(schedule.task_list.first()->remind_info(), "a");
    EXPECT_EQ(write_schedule_image(schedule),
              concat({standard_header(1, 1), rest_record(kHalfDay, 4), reminder_record(kQuarterDay, 2, "a")}));
}

TEST(ReadScheduleImage, AppendsToEntriesAlreadyInTheLists) {
    Schedule schedule;
    ASSERT_NE(insert_rest(schedule.rest_list, 0.1, 1), nullptr);
    read_schedule_image(concat({standard_header(1, 0), rest_record(kHalfDay, 1)}), schedule);
    EXPECT_EQ(times_of(schedule.rest_list), (std::vector<TDateTime>{0.1, 0.5}));
    expect_well_linked(schedule.rest_list);
}

TEST(ReadScheduleImage, PutsAListOutOfOrderInOrderKeepingTheFirstOfEachTime) {
    Schedule schedule;
    const ImageContents contents = read_schedule_image(
        concat({standard_header(4, 2), rest_record(kThreeQuarterDay, 3), rest_record(kHalfDay, 4),
                rest_record(kThreeQuarterDay, 5), rest_record(kQuarterDay, 6),
                reminder_record(kMay18th2005Noon, 3, "dated"), reminder_record(kHalfDay, 2, "daily")}),
        schedule);
    const auto& rests = schedule.rest_list;
    std::vector<int> minutes;
    for (const TimerEntry& entry : rests) {
        minutes.push_back(entry.break_minutes());
    }
    EXPECT_EQ(minutes, (std::vector<int>{6, 4, 3}));
    EXPECT_EQ(contents.left_out, 1u);  // the second rest at 18:00
    EXPECT_EQ(times_of(schedule.task_list), (std::vector<TDateTime>{0.5, 38490.5}));
    expect_well_linked(rests);
    expect_well_linked(schedule.task_list);
}

TEST(ReadScheduleImage, LeavesAFileThisProgramWroteAsItIs) {
    Schedule schedule;
    read_schedule_image(sample_image(), schedule);
    EXPECT_EQ(write_schedule_image(schedule), sample_image());
}

TEST(IsScheduleImage, TakesEachHeaderFieldWithTheProgramsTextOrNoneAndBothCounts) {
    struct Case {
        const char* name;
        Bytes image;
        bool schedule;
    };
    const auto with = [](std::size_t offset, std::string_view text) {
        Bytes image = standard_header(0, 0);
        put(image, offset, text);
        return image;
    };
    Bytes without_counts = standard_header(0, 0);
    without_counts.resize(35);
    Bytes without_task_count = standard_header(0, 0);
    without_task_count.resize(36);
    // An older version's first save wrote no header; its next start wrote the texts, one field after another.
    Bytes zero_header = concat({Bytes(35, 0), Bytes{1, 0}, rest_record(kHalfDay, 1)});
    Bytes name_only = zero_header;
    put(name_only, 10, "Vistrel");
    const Case cases[] = {
        {"standard header", standard_header(0, 0), true},
        {"empty file", {}, false},
        {"standard header without counts", without_counts, false},
        {"standard header without the task count", without_task_count, false},
        {"signature followed by a blank and more", with(0, "ZQ junk!"), true},
        {"signature with a letter more", with(0, "ZQX"), false},
        {"name ended by a tab", with(10, "Vistrel\tv2"), true},
        {"name in other letter case", with(10, "vistrel"), false},
        {"name filling its field", with(10, "VistrelVistrelV"), false},
        {"version ended by a line feed", with(25, "1.0\n"), true},
        {"other version", with(25, "1.00"), false},
        {"reserved bytes of another program after the texts", with(3, "XXXXXXX"), true},
        {"header left zero by an older version's first save", zero_header, true},
        {"only the name written yet", name_only, true},
        {"all zero", Bytes(37 + 32, 0), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(is_schedule_image(c.image), c.schedule);
    }
}

// A record of one kind with one thing the program's pages never write, beside sound ones.
TEST(ReadScheduleImage, LeavesOutAndCountsEveryEntryNoPageCouldHaveWritten) {
    const TDateTime dated = 38490.5;       // 2005-05-18 12:00:00
    const TDateTime last_day = 2958465.0;  // 9999-12-31
    const auto rest_at = [](double t, std::uint8_t minutes) { return rest_record(le_double(t), minutes); };
    const auto reminder_at = [](double t, std::uint8_t flags, std::string_view text) {
        return reminder_record(le_double(t), flags, text);
    };
    const auto program_at = [](double t, std::uint8_t flags, std::uint8_t mode, std::string_view arguments) {
        return program_record(le_double(t), flags, mode, "C:\\a.exe", arguments);
    };
    Bytes rest_with_flags = rest_at(0.5, 5);
    rest_with_flags[24] = ENTRY_DATED;
    struct Case {
        const char* name;
        Bytes record;
        bool rest;  // a record of the rest list, else of the task list
        bool kept;
    };
    const Case cases[] = {
        {"rest of 1 minute", rest_at(0.5, 1), true, true},
        {"rest of 60 minutes", rest_at(0.5, 60), true, true},
        {"rest of 0 minutes", rest_at(0.5, 0), true, false},
        {"rest of 61 minutes", rest_at(0.5, 61), true, false},
        {"rest of 200 minutes", rest_at(0.5, 200), true, false},
        {"rest at midnight", rest_at(0.0, 5), true, true},
        {"rest at 23:59:59", rest_at(encode_time(0, 23, 59, 59, 0), 5), true, true},
        {"rest at the end of the day", rest_at(1.0, 5), true, false},
        {"rest on a date", rest_at(dated, 5), true, false},
        {"rest before the epoch", rest_at(-0.25, 5), true, false},
        {"rest at a time that is no number", rest_at(std::nan(""), 5), true, false},
        {"rest at an infinite time", rest_at(INFINITY, 5), true, false},
        {"rest with a task's flags", rest_with_flags, true, false},
        {"daily reminder", reminder_at(0.5, ENTRY_TASK, "x"), false, true},
        {"dated reminder", reminder_at(dated, ENTRY_TASK | ENTRY_DATED, "x"), false, true},
        {"reminder on the first day after the epoch", reminder_at(1.0, ENTRY_TASK | ENTRY_DATED, "x"), false, true},
        {"reminder on the last day the date picker offers", reminder_at(last_day + 0.75, ENTRY_TASK | ENTRY_DATED, "x"),
         false, true},
        {"reminder after the last day", reminder_at(last_day + 1.0, ENTRY_TASK | ENTRY_DATED, "x"), false, false},
        {"dated reminder without a date", reminder_at(0.5, ENTRY_TASK | ENTRY_DATED, "x"), false, false},
        {"daily reminder with a date", reminder_at(dated, ENTRY_TASK, "x"), false, false},
        {"dated reminder at a time that is no number", reminder_at(std::nan(""), ENTRY_TASK | ENTRY_DATED, "x"), false,
         false},
        {"task without the task flag", reminder_at(0.5, 0, "x"), false, false},
        {"task with an unknown flag", reminder_at(0.5, ENTRY_TASK | 8, "x"), false, false},
        {"program flagged as a rest", reminder_at(0.5, ENTRY_PROGRAM, "x"), false, false},
        {"reminder of 200 bytes", reminder_at(0.5, ENTRY_TASK, std::string(200, 'r')), false, true},
        {"reminder of 201 bytes", reminder_at(0.5, ENTRY_TASK, std::string(201, 'r')), false, false},
        {"reminder filling its record", reminder_at(0.5, ENTRY_TASK, std::string(207, 'r')), false, false},
        {"program in the last window mode", program_at(0.5, ENTRY_TASK | ENTRY_PROGRAM, 3, "-x"), false, true},
        {"dated program", program_at(dated, ENTRY_TASK | ENTRY_PROGRAM | ENTRY_DATED, 0, ""), false, true},
        {"program in an unknown window mode", program_at(0.5, ENTRY_TASK | ENTRY_PROGRAM, 4, "-x"), false, false},
        {"program with arguments of 100 bytes", program_at(0.5, ENTRY_TASK | ENTRY_PROGRAM, 0, std::string(100, 'a')),
         false, true},
        {"program with arguments of 101 bytes", program_at(0.5, ENTRY_TASK | ENTRY_PROGRAM, 0, std::string(101, 'a')),
         false, false},
        {"program with a path of 100 bytes",
         program_record(le_double(0.5), ENTRY_TASK | ENTRY_PROGRAM, 1, std::string(100, 'p'), "-x"), false, true},
    };
    const Bytes sound_rest = rest_at(0.25, 3);
    const Bytes sound_task = reminder_at(0.25, ENTRY_TASK, "sound");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes image = c.rest ? concat({standard_header(2, 1), c.record, sound_rest, sound_task})
                                   : concat({standard_header(1, 2), sound_rest, c.record, sound_task});
        Schedule schedule;
        const ImageContents contents = read_schedule_image(image, schedule);
        EXPECT_EQ(contents.left_out, c.kept ? 0u : 1u);
        EXPECT_EQ(schedule.rest_list.size(), c.rest && c.kept ? 2u : 1u);
        EXPECT_EQ(schedule.task_list.size(), !c.rest && c.kept ? 2u : 1u);
        EXPECT_NE(find_entry(schedule.rest_list, 0.25), nullptr);
        EXPECT_NE(find_entry(schedule.task_list, 0.25), nullptr);
        expect_well_linked(schedule.rest_list);
        expect_well_linked(schedule.task_list);
    }
}

}  // namespace
}  // namespace vistrel
