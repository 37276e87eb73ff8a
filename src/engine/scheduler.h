#pragma once

#include <cstdint>
#include <set>
#include <tuple>

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
/// routes the system's clock-change notice (WM_TIMECHANGE) to time_changed, its notices of power (WM_POWERBROADCAST)
/// to suspended (PBT_APMSUSPEND) and resumed (PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND); and calls
/// restore_desktop on every way out of the program. Dialogs the engine asks for are deferred (PostShow), so no call
/// into the ports may run a message loop.
///
/// Its promise: every entry runs at most once per occurrence, and an occurrence runs when the clock reaches it while
/// the schedule runs and the computer is awake, or right after the compulsory rest it fell into. What falls due while
/// paused or asleep, or what a clock set forward jumps over, is skipped; a clock set back by a minute or more repeats
/// what falls due again; a step of less than a minute either way (time sync) changes nothing of that.
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
    /// The computer is about to sleep. Optional: a timer that fires far later than it was armed for tells the same.
    void suspended();
    /// The computer woke up: what fell due while it slept is skipped, as during a pause, and the timers are armed
    /// anew. A compulsory rest under way counts the time asleep as rest taken.
    void resumed();
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
    // One occurrence of an entry: when it is due, and the entry by its time and timetable.
    using Occurrence = std::tuple<TDateTime, TDateTime, bool>;

    TDateTime due_of(const TimerEntry& entry) const;
    void build_chain();
    void rebuild_on_today(TDateTime from);
    void select_next_due(TDateTime from);
    // Moves on from a carried-out entry (or the end of a rest) to the next one, or to the new day.
    void go_on();
    bool old_day_done() const;
    void start_new_day();
    void mark_done(const TimerEntry& entry);
    bool done(const TimerEntry& entry) const;
    // Carries out the due next_due_; true when it began a compulsory rest.
    bool carry_out(TimerEntry& entry);
    void rest_tick();
    void finish_rest();
    bool boot_grace_holds();
    void set_next_due(TimerEntry* entry);
    // Where a rebuild starts so that nothing already due and still owed is lost: now, or the due next_due.
    TDateTime owed_from(TDateTime now) const;
    // Whether a timer due at due_tick fires so late (or after a suspend notice) that the computer slept meanwhile.
    bool woke_before(std::uint32_t due_tick) const;
    void woke();
    bool woke_just_now() const;
    // How far the wall clock moved apart from the tick count since it was last seen.
    std::int64_t clock_step_ms() const;
    void see_clock();
    // Follows the wall clock's small drift from the tick count.
    void follow_clock();

    Schedule& schedule_;
    const Settings& settings_;
    EnginePorts ports_;
    SchedulerEvents no_events_;
    SchedulerEvents& events_;
    RestSession rest_;
    TaskExecution tasks_;

    bool running_ = false;
    bool boot_grace_ = true;
    bool suspend_noticed_ = false;
    TimerEntry* next_due_ = nullptr;
    TDateTime next_due_time_ = 0.0;  // when next_due_ is due: kept, since an edit may free the entry
    // The day whose every-day entries the due chain holds: a midnight passing during a rest or its catch-up waits
    // until the old day's entries have run.
    std::int64_t base_day_ = 0;
    // Where the last choice of next_due started; during a compulsory rest, where the schedule goes on after it.
    TDateTime from_ = 0.0;
    // The occurrences carried out over the last day: a rebuild never picks them again, unless the clock is set back.
    std::set<Occurrence> done_;
    // When the timers are due by the tick count, to tell a sleep from a timer merely a little late.
    std::uint32_t timer1_due_tick_ = 0;
    std::uint32_t day_due_tick_ = 0;
    std::uint32_t woke_tick_ = 0;
    bool has_woken_ = false;
    // The wall clock and the tick count when last looked at, to measure a change of the clock.
    TDateTime seen_now_ = 0.0;
    std::uint32_t seen_tick_ = 0;
};

}  // namespace vistrel
