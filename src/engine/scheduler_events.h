#pragma once

#include <cstdint>
#include <string_view>

#include "engine/timetable.h"

namespace vistrel {

/// What the scheduler does, as it does it: for the preview of a timetable and for checks. Texts are UTF-8.
class SchedulerEvents {
public:
    virtual ~SchedulerEvents() = default;

    /// Timer1 was armed for the next entry.
    virtual void armed(std::uint32_t /*interval*/, std::int32_t /*tag*/) {}
    virtual void pre_reminder() {}
    /// A compulsory rest for entry began.
    virtual void rest_begin(const TimerEntry& /*entry*/) {}
    virtual void rest_end() {}
    /// A rest that is not compulsory carried out the action of mode.
    virtual void rest(const TimerEntry& /*entry*/, std::int32_t /*mode*/) {}
    /// A due rest was refused because the computer started too recently.
    virtual void rest_skipped(const TimerEntry& /*entry*/) {}
    virtual void reminder(const TimerEntry& /*entry*/) {}
    virtual void program(const TimerEntry& /*entry*/, int /*show_command*/, std::string_view /*command_line*/) {}
    /// No file is at the path of a due program task: its program was not started.
    virtual void program_missing(const TimerEntry& /*entry*/, std::string_view /*path*/) {}
    /// The path of a due program task is not a program's full path: nothing was started.
    virtual void program_refused(const TimerEntry& /*entry*/, std::string_view /*path*/) {}
};

}  // namespace vistrel
