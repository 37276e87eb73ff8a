#include "engine/task_execution.h"

#include "engine/program_path.h"
#include "engine/text_codec.h"
#include "engine/timetable_edits.h"

namespace vistrel {
namespace {

constexpr char kReminderCaption[] = "消息提醒";
constexpr char kNoticeCaption[] = "提示";
constexpr char kProgramFailedText[] = "定时任务的应用程序无法启动：";

}  // namespace

int show_command(std::uint8_t run_mode) {
    switch (run_mode) {
        case 1:
            return kShowMaximized;
        case 2:
            return kShowMinimized;
        case 3:
            return kShowHidden;
        default:
            return kShowNormal;
    }
}

std::string program_path(std::string_view shell_path) {
    return gbk_to_utf8(trim_blanks(shell_path));
}

std::string program_command_line(std::string_view path, std::string_view arguments) {
    std::string command = "\"";
    command += trim_blanks(path);
    command += '"';
    if (const std::string_view rest = trim_blanks(arguments); !rest.empty()) {
        command += ' ';
        command += rest;
    }
    return command;
}

void TaskExecution::run_reminder(const TimerEntry& entry) {
    events_.reminder(entry);
    zqInfo_.CloseDialog();
    zqInfo_.SetPostShow(true);
    zqInfo_.MessageDlg(gbk_to_utf8(entry.remind_info()), kReminderCaption, MessageService::kPlain);
}

std::string program_failure_message(std::string_view path, std::string_view reason) {
    std::string text = kProgramFailedText;
    text += "\r\n";
    text += path;
    text += "\r\n";
    text += reason;
    return text;
}

void TaskExecution::run_program(const TimerEntry& entry) {
    const std::string path = program_path(entry.shell_path());
    // A path the task page would refuse now (from a file of an older version) is not tried: a relative one might
    // start another program than the one looked for.
    if (!is_program_path(path)) {
        events_.program_refused(entry, path);
        tell_failure(path, edit_message(EditRefusal::invalid_program_path));
        return;
    }
    if (const ProgramFailure missing = programs_.missing_file(path)) {
        events_.program_missing(entry, path);
        tell_failure(path, *missing);
        return;
    }
    const int show = show_command(entry.run_mode());
    const std::string command = program_command_line(path, gbk_to_utf8(entry.command_line()));
    events_.program(entry, show, command);
    if (const ProgramFailure failure = programs_.start(command, show)) {
        tell_failure(path, *failure);
    }
}

void TaskExecution::tell_failure(std::string_view path, std::string_view reason) {
    // From the timer's handler: the schedule goes on while the message waits for the user.
    zqInfo_.SetPostShow(true);
    zqInfo_.MessageDlg(program_failure_message(path, reason), kNoticeCaption, MessageService::kWarning);
}

}  // namespace vistrel
