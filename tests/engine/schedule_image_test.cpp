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
    };
    Bytes foreign_header(37, 'X');
    foreign_header[35] = 1;
    foreign_header[36] = 0;
    const Case cases[] = {
        {"no bytes", {}, {}, {}},
        {"no count bytes", Bytes(35, 0), {}, {}},
        {"only the rest count", Bytes(36, 1), {}, {}},
        {"zero counts", standard_header(0, 0), {}, {}},
        {"out of order: put in order",
         concat({standard_header(2, 0), rest_record(kHalfDay, 1), rest_record(kQuarterDay, 1)}),
         {0.25, 0.5},
         {}},
        {"rest count beyond the bytes: no task is read",
         concat({standard_header(3, 1), rest_record(kHalfDay, 1), rest_record(kThreeQuarterDay, 1), Bytes(10, 0)}),
         {0.5, 0.75},
         {}},
        {"partial task record",
         concat({standard_header(1, 2), rest_record(kHalfDay, 1), reminder_record(kQuarterDay, 2, "a"), Bytes(231, 0)}),
         {0.5},
         {0.25}},
        {"bytes left over from a longer save",
         concat({standard_header(1, 0), rest_record(kHalfDay, 1), rest_record(kQuarterDay, 1),
                 reminder_record(kQuarterDay, 2, "a")}),
         {0.5},
         {}},
        {"tasks start right after the header when there are no rests",
         concat({standard_header(0, 1), reminder_record(kThreeQuarterDay, 2, "a")}),
         {},
         {0.75}},
        {"a foreign header is read as a schedule", concat({foreign_header, rest_record(kHalfDay, 1)}), {0.5}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Schedule schedule;
        const ImageContents contents = read_schedule_image(c.image, schedule);
        EXPECT_EQ(times_of(schedule.rest_list), c.rests);
        EXPECT_EQ(times_of(schedule.task_list), c.tasks);
        EXPECT_EQ(contents.rest_records, c.rests.size());
        EXPECT_EQ(contents.task_records, c.tasks.size());
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
    const Bytes far_future = {0, 0, 0, 0, 0, 0, 0x30, 0x41};  // day 2^20
    const Bytes not_a_number = {0, 0, 0, 0, 0, 0, 0xF8, 0x7F};
    Schedule schedule;
    read_schedule_image(concat({standard_header(6, 2), rest_record(far_future, 1), rest_record(not_a_number, 2),
                                rest_record(kThreeQuarterDay, 3), rest_record(kHalfDay, 4),
                                rest_record(kThreeQuarterDay, 5), rest_record(kQuarterDay, 6),
                                reminder_record(kMay18th2005Noon, 3, "dated"), reminder_record(kHalfDay, 2, "daily")}),
                        schedule);
    const auto& rests = schedule.rest_list;
    ASSERT_EQ(rests.size(), 5u);
    std::vector<int> minutes;
    for (const TimerEntry& entry : rests) {
        minutes.push_back(entry.break_minutes());
    }
    EXPECT_EQ(minutes, (std::vector<int>{6, 4, 3, 1, 2}));
    EXPECT_TRUE(std::isnan(times_of(rests).back()));
    EXPECT_EQ(times_of(schedule.task_list), (std::vector<TDateTime>{0.5, 38490.5}));
    expect_well_linked(rests);
    expect_well_linked(schedule.task_list);
}

TEST(ReadScheduleImage, LeavesAFileThisProgramWroteAsItIs) {
    Schedule schedule;
    read_schedule_image(sample_image(), schedule);
    EXPECT_EQ(write_schedule_image(schedule), sample_image());
}

TEST(HeaderRepairs, RewriteEachFieldThatIsNotTheStandardText) {
    const ImagePatch signature{0, {'Z', 'Q', 0}};
    const ImagePatch name{10, {'V', 'i', 's', 't', 'r', 'e', 'l', 0}};
    const ImagePatch version{25, {'1', '.', '0', 0, 0, 0}};
    struct Case {
        const char* name;
        Bytes image;
        std::vector<ImagePatch> patches;
    };
    const auto with = [](std::size_t offset, std::string_view text) {
        Bytes image = standard_header(0, 0);
        put(image, offset, text);
        return image;
    };
    Bytes without_counts = standard_header(0, 0);
    without_counts.resize(35);
    Bytes standard_but_short = standard_header(0, 0);
    standard_but_short.resize(34);
    const Case cases[] = {
        {"empty file", {}, {signature, name, version}},
        {"standard header", standard_header(0, 0), {}},
        {"standard header without counts", without_counts, {}},
        {"version field cut short", standard_but_short, {version}},
        {"signature followed by a blank and more", with(0, "ZQ junk!"), {}},
        {"signature with a letter more", with(0, "ZQX"), {signature}},
        {"name ended by a tab", with(10, "Vistrel\tv2"), {}},
        {"name in other letter case", with(10, "vistrel"), {name}},
        {"name filling its field", with(10, "VistrelVistrelV"), {name}},
        {"version ended by a line feed", with(25, "1.0\n"), {}},
        {"other version", with(25, "1.00"), {version}},
        {"all zero", Bytes(37, 0), {signature, name, version}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(header_repairs(c.image), c.patches);
    }
}

}  // namespace
}  // namespace vistrel
