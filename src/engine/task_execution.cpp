#include "engine/task_execution.h"

#include "engine/text_codec.h"

namespace vistrel {
namespace {

constexpr char kReminderCaption[] = "消息提醒";

// Trims what the command line never keeps at its ends: blanks and control characters. Both are single bytes below
// 0x21 that no UTF-8 or GBK sequence uses inside a character.
std::string_view trim(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') {
        text.remove_suffix(1);
    }
    return text;
}

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

std::string program_command_line(std::string_view path, std::string_view arguments) {
    std::string command = "\"";
    command += trim(path);
    command += '"';
    if (const std::string_view rest = trim(arguments); !rest.empty()) {
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
    const std::string path = gbk_to_utf8(entry.shell_path());
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
