#include "engine/task_execution.h"

#include "engine/text_codec.h"

namespace vistrel {
namespace {

constexpr char kReminderCaption[] = "消息提醒";

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

void TaskExecution::run_program(const TimerEntry& entry) {
    const std::string path = program_path(entry.shell_path());
    if (!programs_.file_exists(path)) {
        events_.program_missing(entry, path);
        return;
    }
    const int show = show_command(entry.run_mode());
    const std::string command = program_command_line(path, gbk_to_utf8(entry.command_line()));
    events_.program(entry, show, command);
    // As with a missing file, a program that fails to start is not reported: the task counts as done.
    programs_.start(command, show);
}

}  // namespace vistrel
