#include "engine/timetable_edits.h"

#include "engine/program_path.h"
#include "engine/task_execution.h"
#include "engine/text_codec.h"

namespace vistrel {
namespace {

TDateTime time_of_day(TDateTime t) {
    return t - static_cast<TDateTime>(day_part(t));
}

TDateTime whole_second(TDateTime t) {
    return set_time_part(t, 0, TimePart::milliseconds);
}

// The texts of a task as they will be stored, so that they are checked as stored. The path is never cut: its first
// bytes may name another program.
TaskPayload stored_payload(const TaskRequest& task) {
    TaskPayload payload;
    if (task.program) {
        payload.run_mode = task.payload.run_mode;
        payload.shell_path = task.payload.shell_path;
        payload.command_line = cut_gbk(task.payload.command_line, kCommandLineLimit);
    } else {
        payload.remind_info = cut_gbk(task.payload.remind_info, kRemindInfoLimit);
    }
    return payload;
}

// Whether the program at a path as stored can be started at the task's time: the path fits its field, names the
// file beyond doubt, and a program is there now.
bool is_startable_program(std::string_view shell_path, ProgramStarter& programs) {
    if (shell_path.size() > kShellPathSize) {
        return false;
    }
    const std::string path = program_path(shell_path);
    return is_program_path(path) && !programs.missing_file(path);
}

EditOutcome check_task(const TaskRequest& task, const TaskPayload& payload, TDateTime now, ProgramStarter& programs) {
    if (!task.program && trim_blanks(payload.remind_info).empty()) {
        return EditRefusal::reminder_empty;
    }
    if (task.program && !is_startable_program(payload.shell_path, programs)) {
        return EditRefusal::invalid_program_path;
    }
    // Compared with the current second: a task set for this very second is still taken.
    if (task.date && task_time(task) < whole_second(now)) {
        return EditRefusal::time_expired;
    }
    return std::nullopt;
}

}  // namespace

std::string_view edit_message(EditRefusal refusal) {
    switch (refusal) {
        case EditRefusal::break_not_below_span:
            return "休息时间小于时间间隔！";
        case EditRefusal::reminder_empty:
            return "请输入提醒内容！";
        case EditRefusal::invalid_program_path:
            return "无效的应用程序路径！";
        case EditRefusal::time_expired:
            return "您指定的时间已经过期！";
        case EditRefusal::list_full:
            static_assert(kMaxEntries == 255, "the message names the limit");
            return "列表已满（最多255项），请先删除一些项目！";
    }
    return {};
}

EditOutcome generate_rest_timetable(TimerList& rest_list, const StandardRests& rests) {
    if (rests.break_minutes >= rests.span_minutes) {
        return EditRefusal::break_not_below_span;
    }
    if (!generate_rests(rest_list, time_of_day(rests.begin), time_of_day(rests.end), rests.span_minutes,
                        rests.break_minutes)) {
        return EditRefusal::list_full;
    }
    return std::nullopt;
}

EditOutcome add_rest(TimerList& rest_list, TDateTime t, unsigned break_minutes) {
    if (insert_rest(rest_list, whole_second(time_of_day(t)), break_minutes) == nullptr) {
        return EditRefusal::list_full;
    }
    return std::nullopt;
}

TDateTime task_time(const TaskRequest& task) {
    TDateTime t = time_of_day(task.time_of_day);
    if (task.date) {
        t += static_cast<TDateTime>(day_part(*task.date));
    }
    return whole_second(t);
}

EditOutcome add_task(TimerList& task_list, const TaskRequest& task, TDateTime now, ProgramStarter& programs) {
    const TaskPayload payload = stored_payload(task);
    if (const EditOutcome refused = check_task(task, payload, now, programs)) {
        return refused;
    }
    const auto flags =
        static_cast<std::uint8_t>(ENTRY_TASK | (task.program ? ENTRY_PROGRAM : 0) | (task.date ? ENTRY_DATED : 0));
    if (insert_task(task_list, task_time(task), flags, payload) == nullptr) {
        return EditRefusal::list_full;
    }
    return std::nullopt;
}

std::string task_text(const TimerEntry& task) {
    if (!task.is_program()) {
        return "消息提醒：" + gbk_to_utf8(task.remind_info());
    }
    std::string text = "执行程序：" + gbk_to_utf8(task.shell_path()) + " ";
    if (const std::string arguments = task.command_line(); !arguments.empty()) {
        text += gbk_to_utf8(arguments) + " ";
    }
    switch (task.run_mode()) {
        case 1:
            return text + "(最大化窗口)";
        case 2:
            return text + "(最小化窗口)";
        case 3:
            return text + "(隐藏窗口)";
        default:
            return text;
    }
}

}  // namespace vistrel
