#include "win32/schedule_location.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

namespace vistrel {
namespace {

namespace fs = std::filesystem;

TEST(ScheduleLocation, PutsTheUserFileUnderApplicationDataAndCreatesItsFolders) {
    const auto location = schedule_location();
    ASSERT_TRUE(location.has_value());
    const fs::path user_file = location->user_file;
    EXPECT_EQ(user_file.filename(), L"Vistrel.dat");
    EXPECT_EQ(user_file.parent_path().filename(), L"Vistrel");
    EXPECT_EQ(user_file.parent_path().parent_path().filename(), L"Tarnwick");
    EXPECT_TRUE(fs::is_directory(user_file.parent_path()));
    const wchar_t* app_data = _wgetenv(L"APPDATA");
    ASSERT_NE(app_data, nullptr);
    EXPECT_TRUE(fs::equivalent(user_file.parent_path().parent_path().parent_path(), app_data));
}

TEST(ScheduleLocation, NamesTheSharedFileInTheSystemDirectory) {
    const auto location = schedule_location();
    ASSERT_TRUE(location.has_value());
    wchar_t system_dir[MAX_PATH + 1] = {};
    ASSERT_GT(GetSystemDirectoryW(system_dir, MAX_PATH + 1), 0u);
    EXPECT_EQ(fs::path(location->shared_file), fs::path(system_dir) / L"Vistrel.dat");
}

TEST(ScheduleLocation, CreatesMissingFoldersBelowTheGivenOnes) {
    const fs::path root = fs::temp_directory_path() / L"vistrel-location-test";
    fs::remove_all(root);
    const ScheduleLocation location = schedule_location_in(root / L"Roaming", root / L"System32");
    EXPECT_EQ(fs::path(location.user_file), root / L"Roaming" / L"Tarnwick" / L"Vistrel" / L"Vistrel.dat");
    EXPECT_EQ(fs::path(location.shared_file), root / L"System32" / L"Vistrel.dat");
    EXPECT_TRUE(fs::is_directory(root / L"Roaming" / L"Tarnwick" / L"Vistrel"));
    EXPECT_FALSE(fs::exists(root / L"System32"));
    fs::remove_all(root);
}

}  // namespace
}  // namespace vistrel
