#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "engine/engine_ports.h"
#include "engine/rest_session.h"
#include "engine/settings.h"
#include "engine/task_execution.h"
#include "engine/timetable.h"

namespace vistrel {

/// Arms Timer1 for the next due entry of both timetables and carries each out at its time; Timer_day rolls the
/// every-day entries over to the new day at midnight. The scheduler takes over both timers' handlers.
///
/// The owner keeps the timetables, the settings and the ports alive as long as the scheduler; starts it with
/// arm_day_timer and then change_run_or_pause; calls rebuild_due_chain after every timetable change while running;
/// routes the system's clock-change notice to time_changed; and calls restore_desktop on every way out of the
/// program. Dialogs the engine asks for are deferred (PostShow), so no call into the ports may run a message loop.
class Scheduler {
public:
    Scheduler(Schedule& schedule, const Settings& settings, const EnginePorts& ports);
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;
    ~Scheduler();

    /// Merges both timetables by today's times into the due chain, picks the next entry due from now, arms Timer1.
    void rebuild_due_chain();
    /// Arms Timer1 for next_due: one minute early for a rest further away than that; never below 100 ms.
    void arm_timer();
    /// Timer1's handler.
    void Timer1Timer();
    /// Arms Timer_day for the coming local midnight.
    void arm_day_timer();
    /// Timer_day's handler.
    void Timer_dayTimer();

    /// The pause/resume toggle: a pause stops Timer1 and ends a running compulsory rest at once; resuming picks the
    /// next entry due from now, so what fell due while paused is skipped. The program starts by calling it once.
    void change_run_or_pause();
    /// The system clock was changed.
    void time_changed();
    /// StartDummyTime was changed: test the computer's uptime again at the next due rest.
    void reset_boot_grace() { boot_grace_ = true; }
    /// Ends a running compulsory rest at once and puts back the task bar, the desktop, the cursor and the tray icon
    /// that it (or its warning) hid. For every way the program ends; harmless when nothing is hidden.
    void restore_desktop();

    bool running() const { return running_; }
    bool rest_in_progress() const { return rest_.in_progress(); }
    /// The entry Timer1 is armed for; null when nothing more is due today and during a compulsory rest.
    const TimerEntry* next_due() const { return next_due_; }
    const RestSession& rest_session() const { return rest_; }

private:
    void build_chain();
    void rebuild_from(TDateTime from);
    void select_next_due(TDateTime from);
    void select_next_due_after_rest();
    void mark_done(const TimerEntry& entry, TDateTime due);
    bool done(const TimerEntry& entry, TDateTime due) const;
    // Carries out the due next_due_; true when it began a compulsory rest.
    bool carry_out(TimerEntry& entry);
    void finish_rest();
    bool boot_grace_holds();

    Schedule& schedule_;
    const Settings& settings_;
    EnginePorts ports_;
    SchedulerEvents no_events_;
    SchedulerEvents& events_;
    RestSession rest_;
    TaskExecution tasks_;

    bool running_ = false;
    bool boot_grace_ = true;
    TimerEntry* next_due_ = nullptr;
    // The entries carried out last (their time and list), all due at done_time_, since the clock was last changed:
    // a rebuild never picks them again, nor anything due before them.
    std::optional<TDateTime> done_time_;
    std::vector<std::pair<TDateTime, bool>> done_entries_;
    // Today's time of the entry whose compulsory rest runs: afterwards the schedule goes on with what follows it.
    TDateTime rest_entry_time_ = 0.0;
};

}  // namespace vistrel
