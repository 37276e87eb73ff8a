#include "engine/schedule_image.h"

#include "timetable_checks.h"

#include <gtest/gtest.h>

#include <string_view>

namespace vistrel {
namespace {

using testing_support::expect_well_linked;
using testing_support::times_of;
using Bytes = std::vector<std::uint8_t>;

// Expected bytes are put together here from the file layout, independently of the code under test.
void put(Bytes& bytes, std::size_t offset, std::string_view text) {
    if (bytes.size() < offset + text.size()) {
        bytes.resize(offset + text.size(), 0);
    }
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

void put(Bytes& bytes, std::size_t offset, std::initializer_list<std::uint8_t> raw) {
    std::copy(raw.begin(), raw.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

void append(Bytes& bytes, const Bytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
}

// Little-endian IEEE 754 images of the times used below.
constexpr std::initializer_list<std::uint8_t> kQuarterDay = {0, 0, 0, 0, 0, 0, 0xD0, 0x3F};
constexpr std::initializer_list<std::uint8_t> kHalfDay = {0, 0, 0, 0, 0, 0, 0xE0, 0x3F};
constexpr std::initializer_list<std::uint8_t> kThreeQuarterDay = {0, 0, 0, 0, 0, 0, 0xE8, 0x3F};
constexpr std::initializer_list<std::uint8_t> kMay18th2005Noon = {0, 0, 0, 0, 0x50, 0xCB, 0xE2, 0x40};

Bytes standard_header(std::uint8_t rests, std::uint8_t tasks) {
    Bytes bytes(37, 0);
    put(bytes, 0, "ZQ");
    put(bytes, 10, "Vistrel");
    put(bytes, 25, "1.0");
    bytes[35] = rests;
    bytes[36] = tasks;
    return bytes;
}

Bytes rest_record(std::initializer_list<std::uint8_t> time, std::uint8_t minutes) {
    Bytes record(32, 0);
    put(record, 16, time);
    record[25] = minutes;
    return record;
}

Bytes reminder_record(std::initializer_list<std::uint8_t> time, std::uint8_t flags, std::string_view text) {
    Bytes record(232, 0);
    put(record, 16, time);
    record[24] = flags;
    put(record, 25, text);
    return record;
}

Bytes program_record(std::initializer_list<std::uint8_t> time, std::uint8_t flags, std::uint8_t run_mode,
                     std::string_view path, std::string_view arguments) {
    Bytes record(232, 0);
    put(record, 16, time);
    record[24] = flags;
    record[25] = run_mode;
    put(record, 26, path);
    put(record, 126, arguments);
    return record;
}

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
    Bytes image = standard_header(2, 2);
    append(image, rest_record(kHalfDay, 5));
    append(image, rest_record(kThreeQuarterDay, 1));
    append(image, reminder_record(kQuarterDay, 2, "\xD0\xDD\xCF\xA2"));
    append(image, program_record(kMay18th2005Noon, 7, 2, "C:\\a.exe", "-x"));
    return image;
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
    Bytes image = standard_header(0, 1);
    append(image, program_record(kHalfDay, 6, 0, std::string(100, 'p'), "-args"));
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
    const auto build = [](Bytes image, std::initializer_list<Bytes> parts) {
        for (const Bytes& part : parts) {
            append(image, part);
        }
        return image;
    };
    Bytes foreign_header(37, 'X');
    foreign_header[35] = 1;
    foreign_header[36] = 0;
    const Case cases[] = {
        {"no bytes", {}, {}, {}},
        {"no count bytes", Bytes(35, 0), {}, {}},
        {"only the rest count", Bytes(36, 1), {}, {}},
        {"zero counts", standard_header(0, 0), {}, {}},
        {"in file order, unsorted", build(standard_header(2, 0), {rest_record(kHalfDay, 1), rest_record(kQuarterDay, 1)}),
         {0.5, 0.25}, {}},
        {"rest count beyond the bytes: no task is read",
         build(standard_header(3, 1), {rest_record(kHalfDay, 1), rest_record(kThreeQuarterDay, 1), Bytes(10, 0)}),
         {0.5, 0.75}, {}},
        {"partial task record", build(standard_header(1, 2), {rest_record(kHalfDay, 1),
                                                              reminder_record(kQuarterDay, 2, "a"), Bytes(231, 0)}),
         {0.5}, {0.25}},
        {"bytes left over from a longer save",
         build(standard_header(1, 0), {rest_record(kHalfDay, 1), rest_record(kQuarterDay, 1),
                                       reminder_record(kQuarterDay, 2, "a")}),
         {0.5}, {}},
        {"tasks start right after the header when there are no rests",
         build(standard_header(0, 1), {reminder_record(kThreeQuarterDay, 2, "a")}), {}, {0.75}},
        {"a foreign header is read as a schedule", build(foreign_header, {rest_record(kHalfDay, 1)}), {0.5}, {}},
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
    Bytes image = standard_header(1, 1);
    append(image, rest);
    append(image, task);

    Schedule schedule;
    read_schedule_image(image, schedule);
    EXPECT_EQ(schedule.rest_list.first()->break_minutes(), 4);
    EXPECT_EQ(schedule.task_list.first()->remind_info(), "a");
    Bytes expected = standard_header(1, 1);
    append(expected, rest_record(kHalfDay, 4));
    append(expected, reminder_record(kQuarterDay, 2, "a"));
    EXPECT_EQ(write_schedule_image(schedule), expected);
}

TEST(ReadScheduleImage, AppendsToEntriesAlreadyInTheLists) {
    Schedule schedule;
    ASSERT_NE(insert_rest(schedule.rest_list, 0.1, 1), nullptr);
    Bytes image = standard_header(1, 0);
    append(image, rest_record(kHalfDay, 1));
    read_schedule_image(image, schedule);
    EXPECT_EQ(times_of(schedule.rest_list), (std::vector<TDateTime>{0.1, 0.5}));
    expect_well_linked(schedule.rest_list);
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
