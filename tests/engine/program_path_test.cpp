#include "engine/program_path.h"

#include <gtest/gtest.h>

namespace vistrel {
namespace {

TEST(ProgramPath, OnlyAbsolutePathsToProgramsAreTaken) {
    struct Case {
        const char* path;
        bool absolute;
        bool program;
    };
    const Case cases[] = {
        {"C:\\Tools\\app.exe", true, true},
        {"c:/tools/APP.EXE", true, true},
        {"D:\\工具\\备份.Cmd", true, true},
        {"C:\\dos\\edit.com", true, true},
        {"C:\\run.bat", true, true},
        {"\\\\server\\share\\run.bat", true, true},
        {"//server/share/dir/run.exe", true, true},
        {"\\\\?\\C:\\Tools\\app.exe", true, true},
        {"C:\\Tools\\notes.txt", true, false},
        {"C:\\Tools\\app.exe.txt", true, false},
        {"C:\\app.exe\\readme", true, false},
        {"C:\\Tools\\app.ex", true, false},
        {"C:\\Tools\\app.exe ", true, false},  // callers take the blanks away first
        {"C:\\Tools\\", true, false},
        {"C:app.exe", false, true},
        {"C:", false, false},
        {"\\Tools\\app.exe", false, true},
        {"\\\\server\\app.exe", false, true},
        {"\\\\\\share\\app.exe", false, true},
        {"Tools\\app.exe", false, true},
        {"app.exe", false, true},
        {".exe", false, true},
        {"1:\\app.exe", false, true},
        {"", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(is_absolute_path(c.path), c.absolute);
        EXPECT_EQ(has_program_extension(c.path), c.program);
        EXPECT_EQ(is_program_path(c.path), c.absolute && c.program);
    }
}

}  // namespace
}  // namespace vistrel
