// Saving the schedule while another program holds the file open, as backup, indexing and sync tools do; the
// system's reasons in the messages.
#include "engine/schedule_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "win32/unique_handle.h"

namespace vistrel {
namespace {

namespace fs = std::filesystem;

class HeldScheduleFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        dir_ = fs::temp_directory_path() / ("vistrel-held-" + std::to_string(random()));
        fs::create_directories(dir_);
        path_ = dir_ / "Vistrel.dat";
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string bytes() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> folder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    fs::path dir_;
    fs::path path_;
};

TEST_F(HeldScheduleFile, SaveSucceedsUnlessTheHolderForbidsWriting) {
    struct Case {
        const char* name;
        DWORD share;
        SaveResult result;
    };
    const Case cases[] = {
        {"shared for reading and writing: written in place", FILE_SHARE_READ | FILE_SHARE_WRITE, SaveResult::saved},
        {"shared for deleting too: replaced", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
         SaveResult::saved},
        {"shared for reading only: cannot be written", FILE_SHARE_READ, SaveResult::cannot_open},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Schedule old_schedule;
        ASSERT_NE(insert_rest(old_schedule.rest_list, 0.5, 3), nullptr);
        ASSERT_NE(insert_rest(old_schedule.rest_list, 0.75, 3), nullptr);
        ASSERT_EQ(save_schedule(path_, old_schedule).result, SaveResult::saved);
        const std::string before = bytes();

        const UniqueHandle holder(
            CreateFileW(path_.c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
        Schedule new_schedule;
        ASSERT_NE(insert_rest(new_schedule.rest_list, 0.25, 9), nullptr);
        EXPECT_EQ(save_schedule(path_, new_schedule).result, c.result);
        EXPECT_EQ(folder(), std::vector<std::string>{"Vistrel.dat"});  // nothing left beside it

        Schedule loaded;
        ASSERT_EQ(load_schedule(path_, loaded, LoadMode::read_only).result, LoadResult::loaded);
        if (c.result == SaveResult::saved) {
            ASSERT_EQ(loaded.rest_list.size(), 1u);
            EXPECT_EQ(loaded.rest_list.first()->time, 0.25);
            EXPECT_EQ(loaded.rest_list.first()->break_minutes(), 9);
        } else {
            EXPECT_EQ(bytes(), before);
        }
    }
}

// The reason the system gives for an error code, as the messages show it.
std::string reason_for(DWORD error) {
    SetLastError(error);
    return last_failure_reason();
}

// A file that cannot be written (here another program holds it and lets no one write it; a read-only file or medium
// does the same) is still read: the timetable runs, and only a save says it failed.
TEST_F(HeldScheduleFile, AFileThatCannotBeWrittenIsReadAndASaveOverItSaysWhatFailedAndWhy) {
    Schedule old_schedule;
    ASSERT_NE(insert_rest(old_schedule.rest_list, 0.5, 3), nullptr);
    ASSERT_EQ(save_schedule(path_, old_schedule).result, SaveResult::saved);
    const std::string before = bytes();
    const UniqueHandle holder(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);

    Schedule loaded;
    const LoadReport load = load_schedule(path_, loaded, LoadMode::repair);
    EXPECT_EQ(load.result, LoadResult::loaded);
    ASSERT_EQ(loaded.rest_list.size(), 1u);
    EXPECT_EQ(loaded.rest_list.first()->break_minutes(), 3);

    ASSERT_NE(insert_rest(loaded.rest_list, 0.75, 5), nullptr);
    const SaveReport save = save_schedule(path_, loaded);
    EXPECT_EQ(save.result, SaveResult::cannot_open);
    EXPECT_EQ(file_failure_message(save.failure),
              "Can not write file: " + path_.string() + "\r\n" + reason_for(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(bytes(), before);
}

TEST_F(HeldScheduleFile, MessagesGiveTheSystemsReason) {
    EXPECT_NE(reason_for(ERROR_ACCESS_DENIED), reason_for(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(reason_for(ERROR_ACCESS_DENIED).empty());

    const fs::path nowhere = dir_ / "no such folder" / "Vistrel.dat";
    const SaveReport save = save_schedule(nowhere, Schedule{});
    EXPECT_EQ(save.result, SaveResult::cannot_open);
    EXPECT_EQ(file_failure_message(save.failure),
              "Can not write file: " + nowhere.string() + "\r\n" + reason_for(ERROR_PATH_NOT_FOUND));

    Schedule schedule;
    const LoadReport load = load_schedule(dir_ / "missing.dat", schedule);
    EXPECT_EQ(load.result, LoadResult::cannot_open);
    EXPECT_EQ(file_failure_message(load.failure),
              "Can not read file: " + (dir_ / "missing.dat").string() + "\r\n" + reason_for(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace vistrel
