// Saving the schedule while another program holds the file open, as backup, indexing and sync tools do.
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
        ASSERT_EQ(save_schedule(path_, old_schedule), SaveResult::saved);
        const std::string before = bytes();

        const UniqueHandle holder(
            CreateFileW(path_.c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
        Schedule new_schedule;
        ASSERT_NE(insert_rest(new_schedule.rest_list, 0.25, 9), nullptr);
        EXPECT_EQ(save_schedule(path_, new_schedule), c.result);
        EXPECT_EQ(folder(), std::vector<std::string>{"Vistrel.dat"});  // nothing left beside it

        Schedule loaded;
        ASSERT_EQ(load_schedule(path_, loaded, LoadMode::read_only), LoadResult::loaded);
        if (c.result == SaveResult::saved) {
            ASSERT_EQ(loaded.rest_list.size(), 1u);
            EXPECT_EQ(loaded.rest_list.first()->time, 0.25);
            EXPECT_EQ(loaded.rest_list.first()->break_minutes(), 9);
        } else {
            EXPECT_EQ(bytes(), before);
        }
    }
}

}  // namespace
}  // namespace vistrel
