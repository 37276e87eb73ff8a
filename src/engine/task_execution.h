#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/message_service.h"
#include "engine/program_starter.h"
#include "engine/scheduler_events.h"
#include "engine/timetable.h"

namespace vistrel {

/// The show command a program task starts its program with, by its run_mode.
int show_command(std::uint8_t run_mode);

/// Where the program of a program task is looked for and started (UTF-8): its stored path (GBK) without the
/// blanks around it. The task page checks the same path before it stores a task.
std::string program_path(std::string_view shell_path);

/// The command line of a program task: the path in quotes, so that blanks in it stay part of it, then a blank and
/// the arguments when there are any; blanks and control characters around either are dropped.
std::string program_command_line(std::string_view path, std::string_view arguments);

/// What the user is told when a program task cannot start its program (UTF-8): the path and the reason, each on a
/// line of its own.
std::string program_failure_message(std::string_view path, std::string_view reason);

/// Carries out due tasks: shows a reminder or starts a program.
class TaskExecution {
public:
    TaskExecution(MessageService& messages, ProgramStarter& programs, SchedulerEvents& events)
        : zqInfo_(messages), programs_(programs), events_(events) {}

    /// Shows the reminder of entry in place of any dialog still open, without waiting for the user.
    void run_reminder(const TimerEntry& entry);
    /// Starts the program of entry. A path that is no program's full path, a file that is not there and a start
    /// that fails are told to the user without waiting for an answer; the schedule goes on.
    void run_program(const TimerEntry& entry);

private:
    void tell_failure(std::string_view path, std::string_view reason);

    MessageService& zqInfo_;
    ProgramStarter& programs_;
    SchedulerEvents& events_;
};

}  // namespace vistrel
