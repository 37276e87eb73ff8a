#include "engine/timetable_edits.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/silent_ports.h"
#include "engine/task_execution.h"
#include "engine_rig.h"
#include "timetable_checks.h"

namespace vistrel {
namespace {

using testing_fakes::clock_time;
using testing_fakes::date_time;
using testing_support::texts_of;

// What a row of a timetable holds, to show that a refused edit changed nothing.
std::vector<std::string> snapshot(const TimerList& list) {
    std::vector<std::string> rows;
    for (const TimerEntry& entry : list) {
        rows.push_back(entry_time_text(entry.time) + "|" + std::to_string(entry.flags) + "|" +
                       std::string(entry.payload.begin(), entry.payload.end()));
    }
    return rows;
}

// Program files that exist, and every path looked for and started.
class RecordingPrograms final : public ProgramStarter {
public:
    explicit RecordingPrograms(std::set<std::string> files) : files_(std::move(files)) {}

    ProgramFailure missing_file(std::string_view path) override {
        looked_for.emplace_back(path);
        if (files_.count(std::string(path)) == 0) {
            return "no such file";
        }
        return std::nullopt;
    }
    ProgramFailure start(std::string_view command_line, int) override {
        started.emplace_back(command_line);
        return std::nullopt;
    }

    std::vector<std::string> looked_for;
    std::vector<std::string> started;

private:
    std::set<std::string> files_;
};

std::string repeated(std::string_view text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

const std::string kHan = "\xBA\xBA";  // GBK of "汉"

TEST(EditMessages, AreThePagesOwnTexts) {
    EXPECT_EQ(edit_message(EditRefusal::break_not_below_span), "休息时间小于时间间隔！");
    EXPECT_EQ(edit_message(EditRefusal::reminder_empty), "请输入提醒内容！");
    EXPECT_EQ(edit_message(EditRefusal::invalid_program_path), "无效的应用程序路径！");
    EXPECT_EQ(edit_message(EditRefusal::time_expired), "您指定的时间已经过期！");
    EXPECT_NE(edit_message(EditRefusal::list_full), "");
}

TEST(GenerateRestTimetable, RefusesRestsNotShorterThanTheIntervalAndReplacesEverythingElse) {
    struct Case {
        const char* name;
        StandardRests rests;
        EditOutcome outcome;
        std::vector<std::string> times;  // of the timetable afterwards
    };
    const std::vector<std::string> before = {"07:15:00", "12:00:00"};
    const Case cases[] = {
        {"a working day: the end is left out",
         {clock_time(8, 0), clock_time(18, 0), 60, 5},
         std::nullopt,
         {"08:00:00", "09:00:00", "10:00:00", "11:00:00", "12:00:00", "13:00:00", "14:00:00", "15:00:00", "16:00:00",
          "17:00:00"}},
        {"an end before the first step", {clock_time(8, 0), clock_time(8, 30), 60, 1}, std::nullopt, {"08:00:00"}},
        {"begin after end empties the timetable", {clock_time(18, 0), clock_time(8, 0), 60, 1}, std::nullopt, {}},
        {"rest as long as the interval",
         {clock_time(8, 0), clock_time(18, 0), 10, 10},
         EditRefusal::break_not_below_span,
         before},
        {"rest longer than the interval",
         {clock_time(8, 0), clock_time(18, 0), 30, 45},
         EditRefusal::break_not_below_span,
         before},
        {"pickers that carry a date and milliseconds",
         {date_time(2005, 5, 18, 8, 0, 0, 400), date_time(2026, 1, 1, 10, 0, 0), 60, 1},
         std::nullopt,
         {"08:00:00", "09:00:00"}},
        {"more rests than a list holds",
         {clock_time(0, 0), clock_time(23, 59, 59), 1, 0},
         EditRefusal::list_full,
         before},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TimerList rest_list(ListKind::rest);
        ASSERT_FALSE(add_rest(rest_list, clock_time(7, 15), 9));
        ASSERT_FALSE(add_rest(rest_list, clock_time(12, 0), 9));
        const auto rows_before = snapshot(rest_list);

        EXPECT_EQ(generate_rest_timetable(rest_list, c.rests), c.outcome);
        EXPECT_EQ(texts_of(rest_list), c.times);
        if (c.outcome) {
            EXPECT_EQ(snapshot(rest_list), rows_before);
        } else {
            for (const TimerEntry& entry : rest_list) {
                EXPECT_EQ(entry.break_minutes(), c.rests.break_minutes);
            }
        }
    }
}

TEST(AddRest, AddsOrChangesTheRestAtATimeOfDay) {
    TimerList rest_list(ListKind::rest);
    ASSERT_FALSE(add_rest(rest_list, clock_time(12, 0), 3));
    ASSERT_FALSE(add_rest(rest_list, clock_time(12, 0), 3));
    EXPECT_EQ(texts_of(rest_list), std::vector<std::string>{"12:00:00"});
    ASSERT_FALSE(add_rest(rest_list, clock_time(12, 0), 7));
    ASSERT_EQ(rest_list.size(), 1u);
    EXPECT_EQ(rest_list.first()->break_minutes(), 7);

    // A time carrying a date or milliseconds is taken as the time of day to the second.
    ASSERT_FALSE(add_rest(rest_list, date_time(2005, 5, 18, 12, 0, 0, 600), 2));
    EXPECT_EQ(rest_list.size(), 1u);
    EXPECT_EQ(rest_list.first()->time, clock_time(12, 0));
    EXPECT_EQ(rest_list.first()->break_minutes(), 2);
}

TEST(AddRest, AFullListRefusesANewTimeButChangesAnExistingOne) {
    TimerList rest_list(ListKind::rest);
    for (unsigned minute = 0; minute < kMaxEntries; ++minute) {
        ASSERT_FALSE(add_rest(rest_list, clock_time(minute / 60, minute % 60), 1));
    }
    const auto before = snapshot(rest_list);
    EXPECT_EQ(add_rest(rest_list, clock_time(23, 0), 5), EditRefusal::list_full);
    EXPECT_EQ(snapshot(rest_list), before);
    EXPECT_FALSE(add_rest(rest_list, clock_time(0, 0), 5));
    EXPECT_EQ(rest_list.first()->break_minutes(), 5);
}

// The task page's add, on a timetable that holds an every-day reminder at 08:00:00, at 2005-05-18 10:00:00.700.
class AddTaskTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(add_task(task_list_, reminder(clock_time(8, 0), "old"), kNow, programs_)); }

    static TaskRequest reminder(TDateTime time_of_day, std::string text, std::optional<TDateTime> date = {}) {
        TaskRequest task;
        task.time_of_day = time_of_day;
        task.date = date;
        task.payload.remind_info = std::move(text);
        return task;
    }
    static TaskRequest program(TDateTime time_of_day,
                               std::string path,
                               std::string arguments = "",
                               std::optional<TDateTime> date = {}) {
        TaskRequest task;
        task.time_of_day = time_of_day;
        task.date = date;
        task.program = true;
        task.payload.run_mode = 1;
        task.payload.shell_path = std::move(path);
        task.payload.command_line = std::move(arguments);
        return task;
    }

    static inline const TDateTime kNow = date_time(2005, 5, 18, 10, 0, 0, 700);
    static inline const TDateTime kToday = date_time(2005, 5, 18);
    static inline const std::string kProgram = "C:\\Tools\\app.exe";
    static inline const std::string kLongFolder = "C:\\" + std::string(84, 'd') + "\\";  // 88 bytes
    static inline const std::string kFullPath = "C:\\" + std::string(93, 'p') + ".exe";  // 100 bytes

    RecordingPrograms programs_{{kProgram, kLongFolder + "application.exe", kLongFolder + "app.exe", kFullPath,
                                 "\\\\server\\share\\Tools\\backup.CMD", "D:/Tools/run.Bat", "c:\\dos\\edit.com",
                                 "C:\\Tools\\notes.txt", "C:\\Tools\\app", "Tools\\app.exe", "\\Tools\\app.exe",
                                 "C:Tools\\app.exe", "app.exe", "\\\\server\\app.exe", "C:\\Tools\\app.exe\\"}};
    TimerList task_list_{ListKind::task};
};

TEST_F(AddTaskTest, RefusesWhatTheChecksRefuseInTheirOrderAndChangesNothing) {
    struct Case {
        const char* name;
        TaskRequest task;
        EditRefusal refusal;
    };
    const TDateTime yesterday = kToday - 1;
    const Case cases[] = {
        {"empty reminder", reminder(clock_time(9, 0), ""), EditRefusal::reminder_empty},
        {"reminder of blanks, tabs and line ends", reminder(clock_time(9, 0), " \t\r\n "), EditRefusal::reminder_empty},
        {"reminder whose first 200 bytes are blanks", reminder(clock_time(9, 0), std::string(200, ' ') + "x"),
         EditRefusal::reminder_empty},
        {"empty reminder before a passed date", reminder(clock_time(9, 0), " ", yesterday),
         EditRefusal::reminder_empty},
        {"missing program", program(clock_time(9, 0), "C:\\Tools\\gone.exe"), EditRefusal::invalid_program_path},
        {"blank path", program(clock_time(9, 0), "   "), EditRefusal::invalid_program_path},
        {"path of an existing program that does not fit in 100 bytes",
         program(clock_time(9, 0), kLongFolder + "application.exe"), EditRefusal::invalid_program_path},
        {"path whose first 100 bytes name another existing program",
         program(clock_time(9, 0), kLongFolder + "app.exe" + std::string(6, 'x')), EditRefusal::invalid_program_path},
        {"path of 101 bytes, the last of them a blank", program(clock_time(9, 0), kFullPath + " "),
         EditRefusal::invalid_program_path},
        {"a document", program(clock_time(9, 0), "C:\\Tools\\notes.txt"), EditRefusal::invalid_program_path},
        {"a file without an extension", program(clock_time(9, 0), "C:\\Tools\\app"), EditRefusal::invalid_program_path},
        {"a path ending in a separator", program(clock_time(9, 0), "C:\\Tools\\app.exe\\"),
         EditRefusal::invalid_program_path},
        {"relative to the current folder", program(clock_time(9, 0), "Tools\\app.exe"),
         EditRefusal::invalid_program_path},
        {"a bare file name", program(clock_time(9, 0), "app.exe"), EditRefusal::invalid_program_path},
        {"relative to the current drive's root", program(clock_time(9, 0), "\\Tools\\app.exe"),
         EditRefusal::invalid_program_path},
        {"relative to a drive's current folder", program(clock_time(9, 0), "C:Tools\\app.exe"),
         EditRefusal::invalid_program_path},
        {"a share without its name", program(clock_time(9, 0), "\\\\server\\app.exe"),
         EditRefusal::invalid_program_path},
        {"missing program before a passed date", program(clock_time(9, 0), "C:\\gone.exe", "", yesterday),
         EditRefusal::invalid_program_path},
        {"dated one minute ago", reminder(clock_time(9, 59), "late", kToday), EditRefusal::time_expired},
        {"dated one second before the current one", reminder(clock_time(9, 59, 59), "late", kToday),
         EditRefusal::time_expired},
        {"dated yesterday, later in the day", program(clock_time(23, 0), kProgram, "", yesterday),
         EditRefusal::time_expired},
    };
    const auto before = snapshot(task_list_);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(add_task(task_list_, c.task, kNow, programs_), c.refusal);
        EXPECT_EQ(snapshot(task_list_), before);
    }
}

TEST_F(AddTaskTest, StoresTheTaskAtItsTimeWithItsTextsCutAsTheyWereChecked) {
    struct Case {
        const char* name;
        TaskRequest task;
        std::string time;  // where the task is stored
        std::uint8_t flags;
        std::string text;       // reminder text, or program path
        std::string arguments;  // program tasks
    };
    const Case cases[] = {
        {"reminder kept with its blanks", reminder(clock_time(9, 0), " drink ", {}), "09:00:00", 2, " drink ", ""},
        {"reminder of 250 bytes keeps 200", reminder(clock_time(9, 0), std::string(250, 'a')), "09:00:00", 2,
         std::string(200, 'a'), ""},
        {"Chinese reminder cut between characters", reminder(clock_time(9, 0), "a" + repeated(kHan, 100)), "09:00:00",
         2, "a" + repeated(kHan, 99), ""},
        {"every day: milliseconds and the picker's date dropped, never too late",
         reminder(date_time(2000, 1, 1, 9, 59, 0, 999), "x"), "09:59:00", 2, "x", ""},
        {"dated in the current second", reminder(clock_time(10, 0, 0, 300), "now", kToday), "2005-05-18 10:00:00", 3,
         "now", ""},
        {"dated later today", reminder(clock_time(18, 0), "later", kToday + 0.25), "2005-05-18 18:00:00", 3, "later",
         ""},
        {"program with arguments", program(clock_time(9, 0), kProgram, "-x"), "09:00:00", 6, kProgram, "-x"},
        {"path with a trailing blank kept as given", program(clock_time(9, 0), kProgram + " "), "09:00:00", 6,
         kProgram + " ", ""},
        {"path with a leading blank kept as given", program(clock_time(9, 0), " " + kProgram), "09:00:00", 6,
         " " + kProgram, ""},
        {"path of exactly 100 bytes", program(clock_time(9, 0), kFullPath), "09:00:00", 6, kFullPath, ""},
        {"batch file on a network share", program(clock_time(9, 0), "\\\\server\\share\\Tools\\backup.CMD"), "09:00:00",
         6, "\\\\server\\share\\Tools\\backup.CMD", ""},
        {"batch file with forward slashes", program(clock_time(9, 0), "D:/Tools/run.Bat"), "09:00:00", 6,
         "D:/Tools/run.Bat", ""},
        {"program of the .com kind", program(clock_time(9, 0), "c:\\dos\\edit.com"), "09:00:00", 6, "c:\\dos\\edit.com",
         ""},
        {"arguments cut between characters", program(clock_time(9, 0), kProgram, "a" + repeated(kHan, 60)), "09:00:00",
         6, kProgram, "a" + repeated(kHan, 49)},
        {"dated program", program(clock_time(22, 0), kProgram, "shutdown", kToday + 3), "2005-05-21 22:00:00", 7,
         kProgram, "shutdown"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TimerList task_list(ListKind::task);
        ASSERT_EQ(add_task(task_list, c.task, kNow, programs_), std::nullopt);
        ASSERT_EQ(task_list.size(), 1u);
        const TimerEntry& entry = *task_list.first();
        EXPECT_EQ(entry_time_text(entry.time), c.time);
        EXPECT_EQ(entry.time, task_time(c.task));
        EXPECT_EQ(entry.flags, c.flags);
        if (entry.is_program()) {
            EXPECT_EQ(entry.shell_path(), c.text);
            EXPECT_EQ(entry.command_line(), c.arguments);
            EXPECT_EQ(entry.run_mode(), 1);
        } else {
            EXPECT_EQ(entry.remind_info(), c.text);
        }
    }
}

TEST_F(AddTaskTest, APathIsNeverCutAndOneThatDoesNotFitIsNotLookedFor) {
    // 88 + 7 bytes name an existing program; with one more character the path does not fit in its 100 bytes.
    const std::string fits = kLongFolder + "app.exe";
    programs_.looked_for.clear();
    EXPECT_EQ(add_task(task_list_, program(clock_time(9, 0), fits + std::string(5, 'x') + kHan), kNow, programs_),
              EditRefusal::invalid_program_path);
    EXPECT_TRUE(programs_.looked_for.empty());
    EXPECT_EQ(find_entry(task_list_, clock_time(9, 0)), nullptr);

    EXPECT_EQ(add_task(task_list_, program(clock_time(9, 0), fits), kNow, programs_), std::nullopt);
    EXPECT_EQ(programs_.looked_for, std::vector<std::string>{fits});
    EXPECT_EQ(find_entry(task_list_, clock_time(9, 0))->shell_path(), fits);
}

TEST_F(AddTaskTest, TheProgramIsStartedFromThePathThatWasChecked) {
    programs_.looked_for.clear();
    ASSERT_EQ(add_task(task_list_, program(clock_time(9, 0), "  " + kProgram + " \t", " -x "), kNow, programs_),
              std::nullopt);
    SilentMessages zqInfo;
    SchedulerEvents events;
    TaskExecution execution(zqInfo, programs_, events);
    execution.run_program(*find_entry(task_list_, clock_time(9, 0)));
    EXPECT_EQ(programs_.looked_for, (std::vector<std::string>{kProgram, kProgram}));
    EXPECT_EQ(programs_.started, std::vector<std::string>{"\"" + kProgram + "\" -x"});
}

TEST_F(AddTaskTest, ATaskReplacesTheTaskAtExactlyItsTimeWhateverItsKind) {
    const TDateTime dated = kToday + 1;
    ASSERT_FALSE(add_task(task_list_, reminder(clock_time(8, 0), "on a date", dated), kNow, programs_));
    EXPECT_EQ(texts_of(task_list_), (std::vector<std::string>{"08:00:00", "2005-05-19 08:00:00"}));

    ASSERT_FALSE(add_task(task_list_, program(clock_time(8, 0), kProgram), kNow, programs_));
    ASSERT_FALSE(add_task(task_list_, program(clock_time(8, 0), kProgram, "", dated), kNow, programs_));
    ASSERT_EQ(texts_of(task_list_), (std::vector<std::string>{"08:00:00", "2005-05-19 08:00:00"}));
    for (const TimerEntry& entry : task_list_) {
        EXPECT_TRUE(entry.is_program());
        EXPECT_EQ(entry.shell_path(), kProgram);
    }
    EXPECT_FALSE(task_list_.first()->is_dated());
    EXPECT_TRUE(task_list_.first()->next->is_dated());

    // And back: a reminder over a program, with no trace of the path.
    ASSERT_FALSE(add_task(task_list_, reminder(clock_time(8, 0), "back"), kNow, programs_));
    EXPECT_FALSE(task_list_.first()->is_program());
    EXPECT_EQ(task_list_.first()->remind_info(), "back");
}

TEST_F(AddTaskTest, AFullListRefusesANewTimeButReplacesAnExistingOne) {
    for (unsigned second = 1; second < kMaxEntries; ++second) {
        ASSERT_FALSE(add_task(task_list_, reminder(clock_time(9, second / 60, second % 60), "x"), kNow, programs_));
    }
    ASSERT_EQ(task_list_.size(), kMaxEntries);
    const auto before = snapshot(task_list_);
    EXPECT_EQ(add_task(task_list_, reminder(clock_time(20, 0), "new"), kNow, programs_), EditRefusal::list_full);
    EXPECT_EQ(snapshot(task_list_), before);
    EXPECT_FALSE(add_task(task_list_, reminder(clock_time(8, 0), "changed"), kNow, programs_));
    EXPECT_EQ(task_list_.first()->remind_info(), "changed");
}

TEST(TaskText, IsTheTaskPagesRow) {
    struct Case {
        const char* name;
        bool program;
        std::uint8_t run_mode;
        std::string text;  // GBK: reminder text, or program path
        std::string arguments;
        std::string shown;
    };
    const Case cases[] = {
        {"reminder", false, 0, "\xBA\xC8\xCB\xAE 1", "", "消息提醒：喝水 1"},
        {"program, arguments, maximised", true, 1, "C:\\a.exe", "-x", "执行程序：C:\\a.exe -x (最大化窗口)"},
        {"program, no arguments, default window: one trailing blank", true, 0, "C:\\a.exe", "", "执行程序：C:\\a.exe "},
        {"minimised", true, 2, "C:\\a.exe", "", "执行程序：C:\\a.exe (最小化窗口)"},
        {"hidden, arguments beginning with a double-byte character", true, 3, "C:\\a.exe", "\xCB\xB5\xC3\xF7",
         "执行程序：C:\\a.exe 说明 (隐藏窗口)"},
        {"a run mode out of range shows none", true, 9, "C:\\a.exe", "", "执行程序：C:\\a.exe "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TimerList task_list(ListKind::task);
        TaskPayload payload;
        payload.remind_info = c.text;
        payload.shell_path = c.text;
        payload.run_mode = c.run_mode;
        payload.command_line = c.arguments;
        const auto flags = static_cast<std::uint8_t>(ENTRY_TASK | (c.program ? ENTRY_PROGRAM : 0));
        EXPECT_EQ(task_text(*insert_task(task_list, 0.5, flags, payload)), c.shown);
    }
}

}  // namespace
}  // namespace vistrel
