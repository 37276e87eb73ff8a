#include "win32/win32_program_starter.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/task_execution.h"
#include "win32/system_message.h"
#include "win32/wide_text.h"

namespace vistrel {
namespace {

std::wstring folder_of_this_program() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// A folder with blanks in its name holding a copy of the probe, so that an unquoted path would fail.
class ProgramStart : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        // A folder of its own for each test: the probe the test before started may still be ending, and a running
        // program's file can be neither replaced nor deleted.
        static int tests = 0;
        folder_ = std::wstring(temp) + L"vistrel start test " + std::to_wstring(GetCurrentProcessId()) + L" " +
                  std::to_wstring(++tests) + L"\\";
        CreateDirectoryW(folder_.c_str(), nullptr);
        probe_ = folder_ + L"show probe.exe";
        ASSERT_TRUE(CopyFileW((folder_of_this_program() + L"show_probe.exe").c_str(), probe_.c_str(), FALSE));
    }
    void TearDown() override {
        DeleteFileW(probe_.c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    // What the probe reported ("<uses show window> <show command> <argument count>"); empty when it never did.
    std::string report(const std::wstring& file) {
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (FILE* in = _wfopen(file.c_str(), L"r")) {
                char text[64] = {};
                std::fgets(text, sizeof(text), in);
                std::fclose(in);
                DeleteFileW(file.c_str());
                return text;
            }
            Sleep(50);
        }
        return {};
    }

    std::wstring folder_;
    std::wstring probe_;
};

TEST_F(ProgramStart, ProgramGetsTheShowCommandOfItsRunMode) {
    Win32ProgramStarter starter;
    ASSERT_EQ(starter.missing_file(to_utf8(probe_)), std::nullopt);
    struct Case {
        std::uint8_t run_mode;
        const char* expected;
    };
    const Case cases[] = {{0, "1 1 1"}, {1, "1 3 1"}, {2, "1 6 1"}, {3, "1 0 1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.run_mode));
        const std::wstring out = folder_ + L"report " + std::to_wstring(c.run_mode) + L".txt";
        // The report's path has a blank too: quoted, it stays one argument.
        const std::string command = program_command_line(to_utf8(probe_), "\"" + to_utf8(out) + "\"");
        ASSERT_EQ(starter.start(command, show_command(c.run_mode)), std::nullopt);
        EXPECT_EQ(report(out), c.expected);
    }
}

TEST_F(ProgramStart, FileTestAcceptsOnlyExistingFilesAndSaysWhyNot) {
    Win32ProgramStarter starter;
    const std::string not_found = system_message(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(starter.missing_file(to_utf8(probe_)), std::nullopt);
    EXPECT_EQ(starter.missing_file(to_utf8(folder_ + L"missing.exe")), not_found);
    EXPECT_EQ(starter.missing_file(to_utf8(folder_ + L"no folder\\missing.exe")), system_message(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(starter.missing_file(to_utf8(folder_)), not_found);
    EXPECT_TRUE(starter.missing_file("").has_value());
}

TEST_F(ProgramStart, AFailedStartGivesTheSystemsReason) {
    // A file that is there but holds no program.
    const std::wstring fake = folder_ + L"not a program.exe";
    if (FILE* out = _wfopen(fake.c_str(), L"w")) {
        std::fputs("no program in here", out);
        std::fclose(out);
    }
    Win32ProgramStarter starter;
    struct Case {
        const char* name;
        std::wstring path;
        DWORD error;
    };
    const Case cases[] = {
        {"gone", folder_ + L"missing.exe", ERROR_FILE_NOT_FOUND},
        {"no program in the file", fake, ERROR_BAD_EXE_FORMAT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramFailure failure = starter.start(program_command_line(to_utf8(c.path), ""), kShowNormal);
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(*failure, system_message(c.error));
    }
    DeleteFileW(fake.c_str());
}

TEST(SystemMessage, IsTheSystemsTextWithoutTheLineEnd) {
    const std::string text = system_message(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(text.back(), '\r');
    EXPECT_NE(text.back(), ' ');
    EXPECT_NE(text, system_message(ERROR_ACCESS_DENIED));
    EXPECT_EQ(system_message(0xE0001234), "系统错误 3758101044") << "a code without a text is named by its number";
}

}  // namespace
}  // namespace vistrel
