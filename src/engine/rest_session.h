#pragma once

#include <cstdint>

#include "engine/engine_ports.h"
#include "engine/settings.h"
#include "engine/timetable.h"

namespace vistrel {

enum class RestPhase { begin, end };

/// Carries out rests: the rest mode's action, and the compulsory rest that hides the task bar, the desktop, the
/// cursor and the tray icon for the rest's length.
class RestSession {
public:
    RestSession(const Settings& settings, const EnginePorts& ports, SchedulerEvents& events);

    /// The rest mode's action at the start and at every tick of a rest (begin) or when a compulsory rest ends (end).
    void rest_action(RestPhase phase);
    /// Begins a compulsory rest of entry's length; Timer1 then ticks every second.
    void start_compulsory_rest(const TimerEntry& entry);
    /// Ends the compulsory rest and puts back everything it hid.
    void end_compulsory_rest();
    /// A rest that is not compulsory: the mode's action once, its dialog counting down from the rest's own length.
    void rest_once(const TimerEntry& entry);
    /// The warning one minute before a compulsory rest; it hides the tray icon until the rest is over.
    void show_pre_reminder();
    /// Closes the warning and shows the tray icon again when its compulsory rest is not going to begin.
    void cancel_pre_reminder();
    /// Ends a running compulsory rest and undoes a pre-reminder: nothing stays hidden afterwards.
    void restore_everything();

    bool in_progress() const { return in_progress_; }
    /// Whether the running rest has lasted its length. Measured on the tick count, so that a change of the clock
    /// neither cuts nor stretches it.
    bool over() const;
    /// When the running rest ends by the wall clock as it read at the start.
    TDateTime end_time() const { return end_time_; }
    /// The number the rest dialog shows next.
    std::int32_t countdown() const { return countdown_; }

private:
    const Settings& settings_;
    const EnginePorts& ports_;
    SchedulerEvents& events_;
    bool in_progress_ = false;
    bool pre_reminded_ = false;  // the tray icon is hidden by a pre-reminder
    TDateTime end_time_ = 0.0;
    std::uint32_t start_tick_ = 0;
    std::uint32_t length_ms_ = 0;
    std::int32_t countdown_ = 0;
};

}  // namespace vistrel
