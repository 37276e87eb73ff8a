#include "engine/schedule_file.h"

#include "support/schedule_bytes.h"
#include "timetable_checks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace vistrel {
namespace {

namespace fs = std::filesystem;
using namespace testing_support;

class ScheduleFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        dir_ = fs::temp_directory_path() / ("vistrel-schedule-" + std::to_string(random()));
        fs::create_directories(dir_);
        path_ = dir_ / "Vistrel.dat";
    }
    void TearDown() override { fs::remove_all(dir_); }

    static Bytes read_bytes(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void write_bytes(const fs::path& path, const Bytes& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    fs::path dir_;
    fs::path path_;
};

Bytes noon_rest(std::uint8_t minutes) {
    return rest_record(le_double(0.5), minutes);
}

TEST_F(ScheduleFileTest, FirstStartSavesTheGeneratedTimetableAndTheNextStartLoadsIt) {
    Schedule schedule;
    ASSERT_TRUE(generate_rests(schedule.rest_list, encode_time(0, 0, 0, 1, 0), encode_time(0, 23, 59, 59, 0), 60, 1));
    ASSERT_EQ(save_schedule(path_, schedule), SaveResult::saved);

    const Bytes bytes = read_bytes(path_);
    ASSERT_EQ(bytes.size(), 37u + 24 * 32);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 37), standard_header(24, 0));
    EXPECT_EQ(bytes[37 + 25], 1);

    Schedule loaded;
    ASSERT_EQ(load_schedule(path_, loaded), LoadResult::loaded);
    EXPECT_EQ(times_of(loaded.rest_list), times_of(schedule.rest_list));
    EXPECT_TRUE(loaded.task_list.empty());
    EXPECT_EQ(read_bytes(path_), bytes);  // a standard header needs no repair
}

TEST_F(ScheduleFileTest, LoadCreatesAMissingFileAndWritesTheHeaderIntoIt) {
    Schedule schedule;
    ASSERT_EQ(load_schedule(path_, schedule), LoadResult::loaded);
    EXPECT_TRUE(schedule.rest_list.empty());
    EXPECT_TRUE(schedule.task_list.empty());
    Bytes expected;
    put(expected, 0, std::string_view("ZQ\0", 3));
    put(expected, 10, std::string_view("Vistrel\0", 8));
    put(expected, 25, std::string_view("1.0\0\0\0", 6));
    EXPECT_EQ(read_bytes(path_), expected);
}

TEST_F(ScheduleFileTest, LoadRepairsAForeignHeaderInPlaceAndReadsTheRest) {
    Bytes bytes(37, 'X');
    bytes[35] = 1;
    bytes[36] = 0;
    const Bytes record = noon_rest(4);
    bytes.insert(bytes.end(), record.begin(), record.end());
    bytes.insert(bytes.end(), 50, 0xAB);  // left over from a longer save
    write_bytes(path_, bytes);

    Schedule schedule;
    ASSERT_EQ(load_schedule(path_, schedule), LoadResult::loaded);
    EXPECT_EQ(times_of(schedule.rest_list), std::vector<TDateTime>{0.5});
    EXPECT_EQ(schedule.rest_list.first()->break_minutes(), 4);

    Bytes expected = bytes;
    const Bytes header = standard_header(1, 0);
    // Only the texts and their terminators are written; reserved bytes keep what they held.
    std::copy(header.begin(), header.begin() + 3, expected.begin());
    std::copy(header.begin() + 10, header.begin() + 18, expected.begin() + 10);
    std::copy(header.begin() + 25, header.begin() + 31, expected.begin() + 25);
    EXPECT_EQ(read_bytes(path_), expected);
}

TEST_F(ScheduleFileTest, ReadOnlyLoadNeverWrites) {
    Bytes bytes(37, 'X');
    bytes[35] = 1;
    bytes[36] = 0;
    const Bytes record = noon_rest(4);
    bytes.insert(bytes.end(), record.begin(), record.end());
    write_bytes(path_, bytes);

    Schedule schedule;
    ASSERT_EQ(load_schedule(path_, schedule, LoadMode::read_only), LoadResult::loaded);
    EXPECT_EQ(times_of(schedule.rest_list), std::vector<TDateTime>{0.5});
    EXPECT_EQ(read_bytes(path_), bytes);

    const fs::path missing = dir_ / "missing.dat";
    EXPECT_EQ(load_schedule(missing, schedule, LoadMode::read_only), LoadResult::cannot_open);
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(ScheduleFileTest, LoadReplacesWhatTheListsHeld) {
    Schedule schedule;
    ASSERT_NE(insert_rest(schedule.rest_list, 0.25, 1), nullptr);
    ASSERT_EQ(save_schedule(path_, schedule), SaveResult::saved);
    ASSERT_NE(insert_rest(schedule.rest_list, 0.75, 1), nullptr);
    ASSERT_EQ(load_schedule(path_, schedule), LoadResult::loaded);
    EXPECT_EQ(times_of(schedule.rest_list), std::vector<TDateTime>{0.25});
}

TEST_F(ScheduleFileTest, SaveAfterDeletingWritesAShorterFileWithoutStaleRecords) {
    Schedule schedule;
    for (unsigned h = 0; h < 10; ++h) {
        ASSERT_NE(insert_rest(schedule.rest_list, encode_time(0, h, 0, 0, 0), 2), nullptr);
    }
    TaskPayload payload;
    payload.remind_info = "x";
    ASSERT_NE(insert_task(schedule.task_list, 0.5, ENTRY_TASK, payload), nullptr);
    ASSERT_EQ(save_schedule(path_, schedule), SaveResult::saved);
    clear_list(schedule.rest_list);
    ASSERT_EQ(save_schedule(path_, schedule), SaveResult::saved);

    const Bytes bytes = read_bytes(path_);
    EXPECT_EQ(bytes.size(), 37u + 232);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 37), standard_header(0, 1));
    Schedule loaded;
    ASSERT_EQ(load_schedule(path_, loaded), LoadResult::loaded);
    EXPECT_TRUE(loaded.rest_list.empty());
    EXPECT_EQ(loaded.task_list.first()->remind_info(), "x");
}

TEST_F(ScheduleFileTest, AFailedSaveLeavesThePreviousFileWholeAndReportsIt) {
    Schedule schedule;
    ASSERT_NE(insert_rest(schedule.rest_list, 0.5, 3), nullptr);
    ASSERT_EQ(save_schedule(path_, schedule), SaveResult::saved);
    const Bytes before = read_bytes(path_);

    // The new file cannot be written beside the old one.
    fs::create_directory(dir_ / "Vistrel.dat.tmp");
    ASSERT_NE(insert_rest(schedule.rest_list, 0.75, 3), nullptr);
    const SaveResult result = save_schedule(path_, schedule);
    EXPECT_EQ(result, SaveResult::cannot_open);
    EXPECT_EQ(save_error_message(result, path_), "Can not read file: " + path_.string());
    EXPECT_EQ(read_bytes(path_), before);
    EXPECT_EQ(schedule.rest_list.size(), 2u);
}

TEST_F(ScheduleFileTest, SaveIntoAMissingFolderFailsWithoutCreatingAnything) {
    const Schedule schedule;
    const fs::path nowhere = dir_ / "no such folder" / "Vistrel.dat";
    EXPECT_EQ(save_schedule(nowhere, schedule), SaveResult::cannot_open);
    EXPECT_FALSE(fs::exists(nowhere.parent_path()));
}

TEST_F(ScheduleFileTest, SaveLeavesNoTemporaryFileBehind) {
    const Schedule schedule;
    ASSERT_EQ(save_schedule(path_, schedule), SaveResult::saved);
    ASSERT_EQ(save_schedule(path_, schedule), SaveResult::saved);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ScheduleFileTest, AnInPlaceWriteCutShortIsFinishedFromTheImageLeftBesideTheFile) {
    const Bytes old_image = concat({standard_header(2, 0), noon_rest(1), rest_record(le_double(0.75), 1)});
    const Bytes new_image = concat({standard_header(1, 0), rest_record(le_double(0.25), 9)});
    Bytes half_written = old_image;
    std::copy(new_image.begin(), new_image.begin() + 40, half_written.begin());
    const fs::path pending = dir_ / "Vistrel.dat.new";
    struct Case {
        const char* name;
        LoadMode mode;
        Bytes file_after;
        bool pending_after;
    };
    Bytes finished = old_image;
    std::copy(new_image.begin(), new_image.end(), finished.begin());
    const Case cases[] = {
        {"at start: the file is finished and the image removed", LoadMode::repair, finished, false},
        {"read only: the image is read, nothing is written", LoadMode::read_only, half_written, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write_bytes(path_, half_written);
        write_bytes(pending, new_image);
        Schedule schedule;
        ASSERT_EQ(load_schedule(path_, schedule, c.mode), LoadResult::loaded);
        EXPECT_EQ(times_of(schedule.rest_list), std::vector<TDateTime>{0.25});
        EXPECT_EQ(schedule.rest_list.first()->break_minutes(), 9);
        EXPECT_EQ(read_bytes(path_), c.file_after);
        EXPECT_EQ(fs::exists(pending), c.pending_after);
    }
}

TEST_F(ScheduleFileTest, ASaveMakesAnImageLeftBesideTheFileStale) {
    write_bytes(dir_ / "Vistrel.dat.new", concat({standard_header(1, 0), noon_rest(5)}));
    const Schedule schedule;
    ASSERT_EQ(save_schedule(path_, schedule), SaveResult::saved);
    Schedule loaded;
    ASSERT_EQ(load_schedule(path_, loaded), LoadResult::loaded);
    EXPECT_TRUE(loaded.rest_list.empty());
    EXPECT_FALSE(fs::exists(dir_ / "Vistrel.dat.new"));
}

TEST_F(ScheduleFileTest, LoadOfAFolderFails) {
    Schedule schedule;
    EXPECT_EQ(load_schedule(dir_, schedule), LoadResult::cannot_open);
    EXPECT_EQ(load_error_message(dir_), "Can not create file: " + dir_.string());
}

TEST(SaveErrorMessage, NamesTheFailure) {
    EXPECT_EQ(save_error_message(SaveResult::write_failed, fs::path("x")), "save error!");
    EXPECT_EQ(save_error_message(SaveResult::saved, fs::path("x")), "");
}

TEST_F(ScheduleFileTest, StartupReadsTheUserFileOrElseTheSharedOneWithoutWriting) {
    const fs::path user = dir_ / "user.dat";
    const fs::path shared = dir_ / "shared.dat";
    struct Case {
        const char* name;
        bool user_exists;
        bool shared_exists;
        std::optional<fs::path> path;
        LoadMode mode;
    };
    const Case cases[] = {
        {"both", true, true, user, LoadMode::repair},
        {"user file only", true, false, user, LoadMode::repair},
        {"shared file only", false, true, shared, LoadMode::read_only},
        {"neither", false, false, std::nullopt, LoadMode::repair},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(user);
        fs::remove(shared);
        if (c.user_exists) {
            write_bytes(user, {});
        }
        if (c.shared_exists) {
            write_bytes(shared, {});
        }
        const auto source = startup_schedule_source(user, shared);
        ASSERT_EQ(source.has_value(), c.path.has_value());
        if (source) {
            EXPECT_EQ(source->path, *c.path);
            EXPECT_EQ(source->mode, c.mode);
        }
    }
}

}  // namespace
}  // namespace vistrel
