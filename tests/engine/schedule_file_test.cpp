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

// A failure names the file, whether it was read or written, and the system's reason (its words differ between
// systems).
void expect_failure(const FileFailure& failure, const fs::path& path, bool writing) {
    EXPECT_EQ(fs::path(failure.path), path);
    EXPECT_EQ(failure.writing, writing);
    EXPECT_FALSE(failure.reason.empty());
    EXPECT_EQ(file_failure_message(failure),
              (writing ? "Can not write file: " : "Can not read file: ") + path.string() + "\r\n" + failure.reason);
}

TEST_F(ScheduleFileTest, FirstStartSavesTheGeneratedTimetableAndTheNextStartLoadsIt) {
    Schedule schedule;
    ASSERT_TRUE(generate_rests(schedule.rest_list, encode_time(0, 0, 0, 1, 0), encode_time(0, 23, 59, 59, 0), 60, 1));
    ASSERT_EQ(save_schedule(path_, schedule).result, SaveResult::saved);

    const Bytes bytes = read_bytes(path_);
    ASSERT_EQ(bytes.size(), 37u + 24 * 32);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 37), standard_header(24, 0));
    EXPECT_EQ(bytes[37 + 25], 1);

    Schedule loaded;
    const LoadReport report = load_schedule(path_, loaded);
    ASSERT_EQ(report.result, LoadResult::loaded);
    EXPECT_EQ(report.left_out, 0u);
    EXPECT_FALSE(report.damaged());
    EXPECT_EQ(times_of(loaded.rest_list), times_of(schedule.rest_list));
    EXPECT_TRUE(loaded.task_list.empty());
    EXPECT_EQ(read_bytes(path_), bytes);
}

TEST_F(ScheduleFileTest, LoadOfAMissingFileFailsWithoutCreatingIt) {
    for (const LoadMode mode : {LoadMode::repair, LoadMode::read_only}) {
        Schedule schedule;
        const LoadReport report = load_schedule(path_, schedule, mode);
        EXPECT_EQ(report.result, LoadResult::cannot_open);
        expect_failure(report.failure, path_, false);
        EXPECT_FALSE(fs::exists(path_));
    }
}

// An older version's first save left the header zero, and its next start wrote the texts into it.
Bytes older_first_save() {
    return concat({Bytes(35, 0), Bytes{1, 0}, noon_rest(4), Bytes(50, 0xAB)});
}

TEST_F(ScheduleFileTest, LoadTellsWhatItLeftOutAndNeverWritesTheFile) {
    Bytes foreign(37, 'X');
    foreign[35] = 1;
    foreign[36] = 0;
    struct Case {
        const char* name;
        Bytes bytes;
        LoadResult result;
        std::size_t rests;
        std::size_t left_out;
    };
    const Case cases[] = {
        {"the header an older version's first save left zero", older_first_save(), LoadResult::loaded, 1, 0},
        {"rests of 200 and 0 minutes",
         concat({standard_header(3, 0), noon_rest(200), noon_rest(0), rest_record(le_double(0.75), 5)}),
         LoadResult::loaded, 1, 2},
        {"a count that promises more than the file holds", concat({standard_header(3, 2), noon_rest(4)}),
         LoadResult::loaded, 1, 4},
        {"a foreign header", concat({foreign, noon_rest(4)}), LoadResult::unreadable, 0, 0},
        {"an empty file", {}, LoadResult::unreadable, 0, 0},
        {"a file of zero bytes only", Bytes(37 + 32, 0), LoadResult::unreadable, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write_bytes(path_, c.bytes);
        Schedule schedule;
        ASSERT_NE(insert_rest(schedule.rest_list, 0.1, 1), nullptr);  // replaced whatever the file holds
        const LoadReport report = load_schedule(path_, schedule);
        EXPECT_EQ(report.result, c.result);
        EXPECT_EQ(report.left_out, c.left_out);
        EXPECT_EQ(report.damaged(), c.result == LoadResult::unreadable || c.left_out > 0);
        EXPECT_EQ(schedule.rest_list.size(), c.rests);
        EXPECT_EQ(read_bytes(path_), c.bytes);
    }
}

TEST_F(ScheduleFileTest, ReadOnlyLoadNeverWrites) {
    const Bytes bytes = older_first_save();
    write_bytes(path_, bytes);

    Schedule schedule;
    ASSERT_EQ(load_schedule(path_, schedule, LoadMode::read_only).result, LoadResult::loaded);
    EXPECT_EQ(times_of(schedule.rest_list), std::vector<TDateTime>{0.5});
    EXPECT_EQ(read_bytes(path_), bytes);

    const fs::path missing = dir_ / "missing.dat";
    EXPECT_EQ(load_schedule(missing, schedule, LoadMode::read_only).result, LoadResult::cannot_open);
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(ScheduleFileTest, LoadReplacesWhatTheListsHeld) {
    Schedule schedule;
    ASSERT_NE(insert_rest(schedule.rest_list, 0.25, 1), nullptr);
    ASSERT_EQ(save_schedule(path_, schedule).result, SaveResult::saved);
    ASSERT_NE(insert_rest(schedule.rest_list, 0.75, 1), nullptr);
    ASSERT_EQ(load_schedule(path_, schedule).result, LoadResult::loaded);
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
    ASSERT_EQ(save_schedule(path_, schedule).result, SaveResult::saved);
    clear_list(schedule.rest_list);
    ASSERT_EQ(save_schedule(path_, schedule).result, SaveResult::saved);

    const Bytes bytes = read_bytes(path_);
    EXPECT_EQ(bytes.size(), 37u + 232);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 37), standard_header(0, 1));
    Schedule loaded;
    ASSERT_EQ(load_schedule(path_, loaded).result, LoadResult::loaded);
    EXPECT_TRUE(loaded.rest_list.empty());
    EXPECT_EQ(loaded.task_list.first()->remind_info(), "x");
}

TEST_F(ScheduleFileTest, AFailedSaveLeavesThePreviousFileWholeAndReportsIt) {
    Schedule schedule;
    ASSERT_NE(insert_rest(schedule.rest_list, 0.5, 3), nullptr);
    ASSERT_EQ(save_schedule(path_, schedule).result, SaveResult::saved);
    const Bytes before = read_bytes(path_);

    // The new file cannot be written beside the old one.
    fs::create_directory(dir_ / "Vistrel.dat.tmp");
    ASSERT_NE(insert_rest(schedule.rest_list, 0.75, 3), nullptr);
    const SaveReport report = save_schedule(path_, schedule);
    EXPECT_EQ(report.result, SaveResult::cannot_open);
    expect_failure(report.failure, path_, true);
    EXPECT_EQ(read_bytes(path_), before);
    EXPECT_EQ(schedule.rest_list.size(), 2u);
}

TEST_F(ScheduleFileTest, SaveIntoAMissingFolderFailsWithoutCreatingAnything) {
    const Schedule schedule;
    const fs::path nowhere = dir_ / "no such folder" / "Vistrel.dat";
    const SaveReport report = save_schedule(nowhere, schedule);
    EXPECT_EQ(report.result, SaveResult::cannot_open);
    expect_failure(report.failure, nowhere, true);
    EXPECT_FALSE(fs::exists(nowhere.parent_path()));
}

TEST_F(ScheduleFileTest, SaveLeavesNoTemporaryFileBehind) {
    const Schedule schedule;
    ASSERT_EQ(save_schedule(path_, schedule).result, SaveResult::saved);
    ASSERT_EQ(save_schedule(path_, schedule).result, SaveResult::saved);
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
        ASSERT_EQ(load_schedule(path_, schedule, c.mode).result, LoadResult::loaded);
        EXPECT_EQ(times_of(schedule.rest_list), std::vector<TDateTime>{0.25});
        EXPECT_EQ(schedule.rest_list.first()->break_minutes(), 9);
        EXPECT_EQ(read_bytes(path_), c.file_after);
        EXPECT_EQ(fs::exists(pending), c.pending_after);
    }
}

TEST_F(ScheduleFileTest, ASaveMakesAnImageLeftBesideTheFileStale) {
    write_bytes(dir_ / "Vistrel.dat.new", concat({standard_header(1, 0), noon_rest(5)}));
    const Schedule schedule;
    ASSERT_EQ(save_schedule(path_, schedule).result, SaveResult::saved);
    Schedule loaded;
    ASSERT_EQ(load_schedule(path_, loaded).result, LoadResult::loaded);
    EXPECT_TRUE(loaded.rest_list.empty());
    EXPECT_FALSE(fs::exists(dir_ / "Vistrel.dat.new"));
}

TEST_F(ScheduleFileTest, LoadOfAFolderFails) {
    Schedule schedule;
    const LoadReport report = load_schedule(dir_, schedule);
    EXPECT_EQ(report.result, LoadResult::cannot_open);
    expect_failure(report.failure, dir_, false);
}

TEST(FileFailureMessage, NamesTheFileWhetherItWasReadOrWrittenAndTheReason) {
    EXPECT_EQ(file_failure_message({fs::path("x"), false, "Permission denied"}),
              "Can not read file: x\r\nPermission denied");
    EXPECT_EQ(file_failure_message({fs::path("x"), true, "No space left on device"}),
              "Can not write file: x\r\nNo space left on device");
}

TEST(DamagedFileMessage, TellsThePathAndHowManyEntriesWereLeftOut) {
    struct Case {
        const char* name;
        LoadReport report;
        std::string message;
    };
    const Case cases[] = {
        {"entries left out", {LoadResult::loaded, 3, {}}, "数据文件中有3项已损坏，已略去！\r\nC:\\d\\Vistrel.dat"},
        {"unreadable",
         {LoadResult::unreadable, 0, {}},
         "数据文件已损坏，无法读取，已改用标准休息时间表！\r\nC:\\d\\Vistrel.dat"},
        {"nothing left out", {LoadResult::loaded, 0, {}}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(damaged_file_message(c.report, fs::path("C:\\d\\Vistrel.dat")), c.message);
    }
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

// A damaged file is kept as it was, beside the file, before the first save goes over it.
class KeptScheduleFileTest : public ScheduleFileTest {
protected:
    fs::path kept() const { return dir_ / "Vistrel.dat.bad"; }

    // Loads the file as the program does at start, then saves a changed timetable.
    LoadReport load_and_save(ScheduleFile& file, const fs::path& source, LoadMode mode = LoadMode::repair) {
        Schedule schedule;
        LoadReport report = file.load(schedule, {source, mode});
        EXPECT_NE(insert_rest(schedule.rest_list, 0.75, 2), nullptr);
        EXPECT_EQ(file.save(schedule).result, SaveResult::saved);
        return report;
    }
};

TEST_F(KeptScheduleFileTest, TheFirstSaveOverADamagedFileKeepsItAndLaterSavesDoNot) {
    // Bytes beyond the largest schedule are kept as well.
    const Bytes damaged = concat({standard_header(2, 0), noon_rest(200), noon_rest(5), Bytes(70000, 0xCD)});
    write_bytes(path_, damaged);
    ScheduleFile file(path_);
    EXPECT_EQ(load_and_save(file, path_).left_out, 1u);
    EXPECT_EQ(read_bytes(kept()), damaged);

    fs::remove(kept());
    Schedule schedule;
    ASSERT_NE(insert_rest(schedule.rest_list, 0.25, 1), nullptr);
    EXPECT_EQ(file.save(schedule).result, SaveResult::saved);
    EXPECT_FALSE(fs::exists(kept()));
}

TEST_F(KeptScheduleFileTest, WhatIsKeptIsTheLastDamagedFile) {
    struct Case {
        const char* name;
        Bytes file;
        bool kept;
    };
    const Case cases[] = {
        {"entries left out", concat({standard_header(1, 0), noon_rest(0)}), true},
        {"unreadable", Bytes(20, 'X'), true},
        {"sound", concat({standard_header(1, 0), noon_rest(5)}), false},
    };
    const Bytes older = concat({standard_header(1, 0), noon_rest(61)});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write_bytes(kept(), older);
        write_bytes(path_, c.file);
        ScheduleFile file(path_);
        load_and_save(file, path_);
        EXPECT_EQ(read_bytes(kept()), c.kept ? c.file : older);
    }
}

TEST_F(KeptScheduleFileTest, AnotherFileReadInItsPlaceIsNotKept) {
    const fs::path shared = dir_ / "shared.dat";
    const Bytes damaged = concat({standard_header(1, 0), noon_rest(0)});
    write_bytes(shared, damaged);
    ScheduleFile file(path_);
    EXPECT_EQ(load_and_save(file, shared, LoadMode::read_only).left_out, 1u);
    EXPECT_FALSE(fs::exists(kept()));
    EXPECT_FALSE(fs::exists(dir_ / "shared.dat.bad"));
    EXPECT_EQ(read_bytes(shared), damaged);
}

TEST_F(KeptScheduleFileTest, ASaveThatCannotKeepTheDamagedFileLeavesItAsItWas) {
    const Bytes damaged = concat({standard_header(1, 0), noon_rest(0)});
    write_bytes(path_, damaged);
    fs::create_directory(kept());  // in the way
    ScheduleFile file(path_);
    Schedule schedule;
    ASSERT_EQ(file.load(schedule, {path_, LoadMode::repair}).left_out, 1u);
    ASSERT_NE(insert_rest(schedule.rest_list, 0.75, 2), nullptr);
    const SaveReport report = file.save(schedule);
    EXPECT_EQ(report.result, SaveResult::cannot_open);
    expect_failure(report.failure, kept(), true);
    EXPECT_EQ(read_bytes(path_), damaged);

    // Kept at the next save, once it can be.
    fs::remove(kept());
    EXPECT_EQ(file.save(schedule).result, SaveResult::saved);
    EXPECT_EQ(read_bytes(kept()), damaged);
}

}  // namespace
}  // namespace vistrel
