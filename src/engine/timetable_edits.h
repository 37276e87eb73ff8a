#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/date_time.h"
#include "engine/program_starter.h"
#include "engine/timetable.h"

namespace vistrel {

// The edits a user makes to the two timetables, with their checks, for the pages and the schedule tool alike.
// A refused edit leaves the timetable as it was; a done one is refreshed and saved by the caller.

/// Why an edit was refused.
enum class EditRefusal {
    break_not_below_span,  // a generated timetable's rests would not be shorter than its interval
    reminder_empty,        // a reminder with nothing but blanks to say
    invalid_program_path,  // no program that a program task could start at its path
    time_expired,          // a task on a date whose time has passed
    list_full,             // a new time in a list that already holds the most entries
};

/// Nothing when the edit was made, else why it was refused.
using EditOutcome = std::optional<EditRefusal>;

/// The message the pages show for a refusal, under the caption "提示" with the warning icon (UTF-8).
std::string_view edit_message(EditRefusal refusal);

/// The rest timetable of the "标准" tab: rests of break_minutes every span_minutes from begin while before end.
/// Only the time of day of begin and end counts.
struct StandardRests {
    TDateTime begin = 0.0;
    TDateTime end = 0.0;
    unsigned span_minutes = 60;
    unsigned break_minutes = 1;
};

/// Replaces the rest timetable by a standard one; refused unless the rests are shorter than the interval.
[[nodiscard]] EditOutcome generate_rest_timetable(TimerList& rest_list, const StandardRests& rests);

/// Adds a rest of break_minutes every day at the time of day of t (cut to the second), or changes the length
/// of the rest at that time.
[[nodiscard]] EditOutcome add_rest(TimerList& rest_list, TDateTime t, unsigned break_minutes);

/// A task as the task page's editor holds it.
struct TaskRequest {
    TDateTime time_of_day = 0.0;    // only the time of day counts; milliseconds are cleared
    std::optional<TDateTime> date;  // the date (its whole days) of a task that runs once; none: every day
    bool program = false;           // starts a program, else shows a reminder
    TaskPayload payload;            // texts in GBK as entered: never trimmed, cut to their limits but the path
};

/// The time a task is stored at: the time of day on its date when it has one, to the whole second.
TDateTime task_time(const TaskRequest& task);

/// Adds a task, or replaces the task at exactly its time whatever its kind. Checked in this order: a reminder
/// must say something; a program's path must fit in its field whole, be absolute and name a program's kind of file
/// (is_program_path of program_path), and a file must be there, looked for through programs; a dated time must not
/// lie before the current second.
[[nodiscard]] EditOutcome add_task(TimerList& task_list,
                                   const TaskRequest& task,
                                   TDateTime now,
                                   ProgramStarter& programs);

/// What the task page's list shows of a task in its column "任务" (UTF-8): "消息提醒：" and the text, or "执行程序："
/// with the path, a blank, the arguments and a blank when there are any, and the window mode unless it is the
/// default one.
std::string task_text(const TimerEntry& task);

}  // namespace vistrel
