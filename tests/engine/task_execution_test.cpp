#include "engine/task_execution.h"

#include <gtest/gtest.h>

#include "engine/text_codec.h"
#include "engine_rig.h"

namespace vistrel {
namespace {

using testing_fakes::CallLog;
using testing_fakes::clock_time;
using testing_fakes::date_time;
using testing_fakes::EngineRig;

const TDateTime kDay = date_time(2024, 5, 18);

TEST(TaskExecution, ShowCommandByRunMode) {
    struct Case {
        std::uint8_t run_mode;
        int show;
    };
    const Case cases[] = {{0, 1}, {1, 3}, {2, 6}, {3, 0}, {4, 1}, {255, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.run_mode));
        EXPECT_EQ(show_command(c.run_mode), c.show);
    }
}

TEST(TaskExecution, CommandLineQuotesThePathAndTrimsTheEnds) {
    struct Case {
        const char* name;
        const char* path;
        const char* arguments;
        const char* command;
    };
    const Case cases[] = {
        {"path with blanks", "C:\\Program Files\\App\\app.exe", "-x 1", "\"C:\\Program Files\\App\\app.exe\" -x 1"},
        {"no arguments: no trailing blank", "C:\\app.exe", "", "\"C:\\app.exe\""},
        {"blank arguments count as none", "C:\\app.exe", " \t ", "\"C:\\app.exe\""},
        {"blanks and control characters around both", " \tC:\\app.exe ", "  shutdown\r\n", "\"C:\\app.exe\" shutdown"},
        {"blanks inside the arguments stay", "C:\\app.exe", "a  b", "\"C:\\app.exe\" a  b"},
        {"non-ASCII path", "D:\\工具\\记事本.exe", "说明.txt", "\"D:\\工具\\记事本.exe\" 说明.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(program_command_line(c.path, c.arguments), c.command);
    }
}

TEST(TaskExecution, ProgramTaskStartsItsProgramInItsWindowMode) {
    EngineRig rig(kDay + clock_time(9, 0));
    // GBK bytes of "D:\工具\a b.exe" and of the argument "说明".
    const std::string path = "D:\\\xB9\xA4\xBE\xDF\\a b.exe";
    rig.programs.files.insert("D:\\工具\\a b.exe");
    for (std::uint8_t mode = 0; mode < 4; ++mode) {
        rig.program(clock_time(10, mode), mode, path, "\xCB\xB5\xC3\xF7");
    }
    rig.start();
    rig.run_to(clock_time(11, 0));
    EXPECT_EQ(rig.take_calls(),
              (CallLog{"start(\"D:\\工具\\a b.exe\" 说明|1)", "start(\"D:\\工具\\a b.exe\" 说明|3)",
                       "start(\"D:\\工具\\a b.exe\" 说明|6)", "start(\"D:\\工具\\a b.exe\" 说明|0)"}));
}

TEST(TaskExecution, MissingProgramIsToldWithoutWaitingAndTheNextEntryFollows) {
    EngineRig rig(kDay + clock_time(9, 59));
    rig.program(clock_time(10, 0), 0, "C:\\gone.exe", "");
    rig.reminder(clock_time(10, 30), "next");
    rig.start();
    rig.run_to(clock_time(11, 0));
    EXPECT_EQ(rig.take_calls(),
              (CallLog{"MessageDlg(定时任务的应用程序无法启动：\r\nC:\\gone.exe\r\n找不到文件|提示|48|posted)",
                       "CloseDialog", "MessageDlg(next|消息提醒|0|posted)"}));
    EXPECT_EQ(rig.take_events(),
              (std::vector<std::string>{"09:59:00.000 arm 60000 0", "10:00:00.000 program-missing C:\\gone.exe",
                                        "10:00:00.000 arm 1800000 0", "10:30:00.000 reminder next"}));
}

TEST(TaskExecution, AProgramThatCannotStartIsToldWithItsPathAndTheReason) {
    struct Case {
        const char* name;
        std::string path;  // GBK, as stored
        bool exists;
        ProgramFailure start_failure;
        CallLog calls;
        std::string event;
    };
    const std::string han_path = "D:\\\xB9\xA4\xBE\xDF\\a.exe";  // GBK of "D:\工具\a.exe"
    const Case cases[] = {
        {"the start fails",
         han_path,
         true,
         "不是有效的 Win32 应用程序。",
         {"start(\"D:\\工具\\a.exe\" -x|1)",
          "MessageDlg(定时任务的应用程序无法启动：\r\nD:\\工具\\a.exe\r\n不是有效的 Win32 应用程序。|提示|48|posted)"},
         "program 1 \"D:\\工具\\a.exe\" -x"},
        {"gone since it was added",
         han_path,
         false,
         std::nullopt,
         {"MessageDlg(定时任务的应用程序无法启动：\r\nD:\\工具\\a.exe\r\n找不到文件|提示|48|posted)"},
         "program-missing D:\\工具\\a.exe"},
        {"a relative path from an older file is not tried",
         "tools\\a.exe",
         true,
         std::nullopt,
         {"MessageDlg(定时任务的应用程序无法启动：\r\ntools\\a.exe\r\n无效的应用程序路径！|提示|48|posted)"},
         "program-refused tools\\a.exe"},
        {"a document is not a program",
         "C:\\notes.txt",
         true,
         std::nullopt,
         {"MessageDlg(定时任务的应用程序无法启动：\r\nC:\\notes.txt\r\n无效的应用程序路径！|提示|48|posted)"},
         "program-refused C:\\notes.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(kDay + clock_time(9, 59));
        if (c.exists) {
            rig.programs.files.insert(gbk_to_utf8(c.path));
        }
        rig.programs.start_failure = c.start_failure;
        rig.program(clock_time(10, 0), 0, c.path, "-x");
        rig.reminder(clock_time(10, 30), "next");
        rig.start();
        rig.run_to(clock_time(11, 0));
        CallLog calls = c.calls;
        calls.insert(calls.end(), {"CloseDialog", "MessageDlg(next|消息提醒|0|posted)"});
        EXPECT_EQ(rig.take_calls(), calls);
        EXPECT_EQ(rig.take_events(),
                  (std::vector<std::string>{"09:59:00.000 arm 60000 0", "10:00:00.000 " + c.event,
                                            "10:00:00.000 arm 1800000 0", "10:30:00.000 reminder next"}));
    }
}

TEST(TaskExecution, ReminderReplacesAnOpenDialogWithoutWaiting) {
    EngineRig rig(kDay + clock_time(9, 59));
    rig.settings.CompulsoryRest = false;
    rig.settings.RestMode = 0;
    rig.rest(clock_time(10, 0), 1);
    rig.reminder(clock_time(10, 0, 20), "\xBA\xC8\xCB\xAE");  // GBK of "喝水"
    rig.start();
    rig.run_to(clock_time(10, 1));
    EXPECT_EQ(rig.take_calls(), (CallLog{"tray.Minimize", "CloseDialog",
                                         "MessageDlg(到了休息的时间了，请珍重身体！\r\n倒计时：60|定时提醒|0|posted)",
                                         "CloseDialog", "MessageDlg(喝水|消息提醒|0|posted)"}));
}

TEST(TaskExecution, TaskDueDuringACompulsoryRestRunsAfterIt) {
    EngineRig rig(kDay + clock_time(9, 59));
    rig.rest(clock_time(10, 0), 3);
    rig.reminder(clock_time(10, 1), "held");
    rig.start();
    rig.run_to(clock_time(10, 10));
    EXPECT_EQ(rig.take_events(), (std::vector<std::string>{"09:59:00.000 arm 60000 0", "10:00:00.000 rest-begin 3",
                                                           "10:03:00.000 rest-end", "10:03:00.000 arm 100 0",
                                                           "10:03:00.100 reminder held"}));
}

}  // namespace
}  // namespace vistrel
