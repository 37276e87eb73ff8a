#include "engine/scheduler.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vistrel {
namespace {

constexpr std::int64_t kPreReminderLead = 60000;
constexpr std::int64_t kMinimumInterval = 100;
constexpr std::uint32_t kRestTick = 1000;
// A timer of the user-interface thread is late by milliseconds, or by seconds on a machine under load. One this much
// later than it was armed for means the computer slept meanwhile; one less late is taken as on time, so a midnight
// tick a little late still starts the new day at midnight.
constexpr std::int32_t kWakeLateness = 30000;
// A step of the clock smaller than this is a correction (time sync), not the user setting the clock.
constexpr std::int64_t kClockCorrection = 60000;
// How long carried-out occurrences are remembered: longer than any rest and its catch-up.
constexpr double kDoneKept = 1.0;

// The first entry of the chain after head that wanted accepts, given when it is due; null when there is none.
template <typename DueOf, typename Wanted>
TimerEntry* first_in_chain(const TimerEntry& head, DueOf due_of, Wanted wanted) {
    TimerEntry* entry = head.chain;
    while (entry && !wanted(*entry, due_of(*entry))) {
        entry = entry->chain;
    }
    return entry;
}

}  // namespace

Scheduler::Scheduler(Schedule& schedule, const Settings& settings, const EnginePorts& ports)
    : schedule_(schedule),
      settings_(settings),
      ports_(ports),
      events_(ports.events ? *ports.events : no_events_),
      rest_(settings, ports_, events_),
      tasks_(ports.zqInfo, ports.programs, events_) {
    ports_.Timer1.SetOnTimer([this] { Timer1Timer(); });
    ports_.Timer_day.SetOnTimer([this] { Timer_dayTimer(); });
    base_day_ = day_part(ports_.clock.now());
    see_clock();
}

Scheduler::~Scheduler() {
    ports_.Timer1.SetEnabled(false);
    ports_.Timer_day.SetEnabled(false);
    ports_.Timer1.SetOnTimer({});
    ports_.Timer_day.SetOnTimer({});
}

TDateTime Scheduler::due_of(const TimerEntry& entry) const {
    return day_part(entry.time) != 0 ? entry.time : entry.time + static_cast<double>(base_day_);
}

void Scheduler::build_chain() {
    TimerEntry& head = schedule_.rest_list.sentinel();
    for (TimerEntry* entry = &head; entry; entry = entry->next) {
        entry->chain = entry->next;
    }
    // Every entry before the last insertion point is due before the last task inserted, so a task due no earlier
    // than that one is looked for from there on: the every-day tasks, then the dated ones, take one pass each.
    TimerEntry* last_place = &head;
    TDateTime last_due = 0.0;
    for (TimerEntry& task : schedule_.task_list) {
        const TDateTime due = due_of(task);
        TimerEntry* p = due >= last_due ? last_place : &head;
        // A task goes before every entry due at its time or later, a rest at the same time included.
        while (p->chain && due > due_of(*p->chain)) {
            p = p->chain;
        }
        task.chain = p->chain;
        p->chain = &task;
        last_place = p;
        last_due = due;
    }
}

void Scheduler::set_next_due(TimerEntry* entry) {
    next_due_ = entry;
    next_due_time_ = entry ? due_of(*entry) : 0.0;
}

void Scheduler::select_next_due(TDateTime from) {
    from_ = from;
    set_next_due(first_in_chain(
        schedule_.rest_list.sentinel(), [this](const TimerEntry& entry) { return due_of(entry); },
        [&](const TimerEntry& entry, TDateTime due) { return due >= from && !done(entry); }));
}

void Scheduler::mark_done(const TimerEntry& entry) {
    const TDateTime due = due_of(entry);
    if (std::isnan(due)) {
        return;
    }
    const TDateTime forget_before = ports_.clock.now() - kDoneKept;
    while (!done_.empty() && std::get<0>(*done_.begin()) < forget_before) {
        done_.erase(done_.begin());
    }
    done_.emplace(due, entry.time, entry.is_task());
}

bool Scheduler::done(const TimerEntry& entry) const {
    const TDateTime due = due_of(entry);
    return !std::isnan(due) && done_.count({due, entry.time, entry.is_task()}) != 0;
}

TDateTime Scheduler::owed_from(TDateTime now) const {
    return next_due_ ? std::min(now, next_due_time_) : now;
}

void Scheduler::rebuild_due_chain() {
    const TDateTime from = owed_from(ports_.clock.now());
    if (rest_.in_progress() || old_day_done()) {
        rebuild_on_today(from);
        return;
    }
    // The old day's entries still being caught up after a midnight stay on their day.
    build_chain();
    rest_.cancel_pre_reminder();
    select_next_due(from);
    go_on();
}

void Scheduler::rebuild_on_today(TDateTime from) {
    if (rest_.in_progress()) {
        // The rest goes on ticking to its end on the day it began; where to go on is decided then.
        build_chain();
        return;
    }
    base_day_ = day_part(ports_.clock.now());
    build_chain();
    rest_.cancel_pre_reminder();
    select_next_due(from);
    arm_timer();
}

bool Scheduler::old_day_done() const {
    return !next_due_ || next_due_time_ >= static_cast<double>(day_part(ports_.clock.now()));
}

void Scheduler::start_new_day() {
    rebuild_on_today(std::max(static_cast<double>(day_part(ports_.clock.now())), from_));
}

void Scheduler::go_on() {
    // A midnight that passed meanwhile is taken once the old day's entries due so far have run.
    if (day_part(ports_.clock.now()) != base_day_ && old_day_done()) {
        start_new_day();
    } else {
        arm_timer();
    }
}

void Scheduler::arm_timer() {
    ports_.Timer1.SetEnabled(false);
    if (!running_ || !next_due_) {
        return;
    }
    std::int64_t interval = ms_until(next_due_time_, ports_.clock.now());
    if (!next_due_->is_task() && interval > kPreReminderLead) {
        interval -= kPreReminderLead;
        ports_.Timer1.SetTag(1);
    } else {
        // Only the early arming for a rest may be followed by a pre-reminder.
        ports_.Timer1.SetTag(0);
    }
    const auto armed = static_cast<std::uint32_t>(std::max(interval, kMinimumInterval));
    ports_.Timer1.SetInterval(armed);
    ports_.Timer1.SetEnabled(true);
    timer1_due_tick_ = ports_.clock.tick_count() + armed;
    events_.armed(armed, ports_.Timer1.Tag());
}

bool Scheduler::boot_grace_holds() {
    if (boot_grace_) {
        boot_grace_ = std::int64_t{ports_.clock.tick_count() / 60000} < settings_.StartDummyTime;
    }
    return boot_grace_;
}

bool Scheduler::carry_out(TimerEntry& entry) {
    mark_done(entry);
    if (entry.is_task()) {
        if (entry.is_program()) {
            tasks_.run_program(entry);
        } else {
            tasks_.run_reminder(entry);
        }
        return false;
    }
    if (!boot_grace_holds() && settings_.CompulsoryRest) {
        from_ = due_of(entry);
        set_next_due(nullptr);  // the rest remembers its time, not its entry, which an edit may free
        rest_.start_compulsory_rest(entry);
        timer1_due_tick_ = ports_.clock.tick_count() + kRestTick;
        return true;
    }
    // Before the rest's own dialog, which must stay.
    rest_.cancel_pre_reminder();
    if (boot_grace_) {
        events_.rest_skipped(entry);
    } else {
        rest_.rest_once(entry);
    }
    return false;
}

void Scheduler::rest_tick() {
    timer1_due_tick_ = ports_.clock.tick_count() + kRestTick;
    if (!rest_.over()) {
        rest_.rest_action(RestPhase::begin);
        return;
    }
    finish_rest();
}

void Scheduler::finish_rest() {
    rest_.end_compulsory_rest();
    // What fell due during the rest follows now, whatever rebuilt the chain meanwhile.
    select_next_due(from_);
    go_on();
}

void Scheduler::Timer1Timer() {
    if (woke_before(timer1_due_tick_)) {
        woke();
        return;
    }
    follow_clock();
    if (rest_.in_progress()) {
        rest_tick();
        return;
    }
    ports_.Timer1.SetEnabled(false);
    if (!next_due_) {
        return;
    }
    const std::int64_t left = ms_until(next_due_time_, ports_.clock.now());
    if (left <= 0) {
        TimerEntry& entry = *next_due_;
        if (carry_out(entry)) {
            return;
        }
        // Past what a midnight rebuild found done already, such as a dated entry the old day's chain ran.
        TimerEntry* next = entry.chain;
        while (next && done(*next)) {
            next = next->chain;
        }
        set_next_due(next);
        go_on();
        return;
    }
    if (!boot_grace_holds() && settings_.CompulsoryRest && settings_.CompulsoryPremind && left <= kPreReminderLead &&
        ports_.Timer1.Tag() == 1) {
        rest_.show_pre_reminder();
    }
    arm_timer();
}

void Scheduler::arm_day_timer() {
    ports_.Timer_day.SetEnabled(false);
    const TDateTime now = ports_.clock.now();
    const std::int64_t midnight = day_part(now) + 1;
    ports_.Timer_day.SetTag(static_cast<std::int32_t>(midnight));
    // Never 0, which would stop the timer for good.
    const std::int64_t interval = std::llround((static_cast<double>(midnight) - now) * kMsPerDay);
    const auto armed = static_cast<std::uint32_t>(std::max<std::int64_t>(interval, 1));
    ports_.Timer_day.SetInterval(armed);
    ports_.Timer_day.SetEnabled(true);
    day_due_tick_ = ports_.clock.tick_count() + armed;
}

void Scheduler::Timer_dayTimer() {
    if (woke_before(day_due_tick_)) {
        woke();
        return;
    }
    follow_clock();
    if (running_ && !rest_.in_progress() && day_part(ports_.clock.now()) != base_day_ && old_day_done()) {
        start_new_day();
    }
    arm_day_timer();
}

void Scheduler::change_run_or_pause() {
    running_ = !running_;
    if (!running_) {
        rest_.restore_everything();
        set_next_due(nullptr);  // the timetables may change while paused without a rebuild
    }
    ports_.Timer1.SetEnabled(running_);
    if (running_) {
        rebuild_on_today(ports_.clock.now());
    }
}

std::int64_t Scheduler::clock_step_ms() const {
    const std::int64_t wall = std::llround((ports_.clock.now() - seen_now_) * kMsPerDay);
    return wall - std::int64_t{ports_.clock.tick_count() - seen_tick_};
}

void Scheduler::see_clock() {
    seen_now_ = ports_.clock.now();
    seen_tick_ = ports_.clock.tick_count();
}

void Scheduler::follow_clock() {
    // A step this large is left for the clock-change notice, which may come after this timer, to measure.
    if (std::abs(clock_step_ms()) < kClockCorrection) {
        see_clock();
    }
}

void Scheduler::time_changed() {
    const std::int64_t step = clock_step_ms();
    see_clock();
    const TDateTime now = ports_.clock.now();
    arm_day_timer();
    if (step <= -kClockCorrection) {
        done_.clear();  // set back on purpose: what was done falls due again
    }
    const bool correction = std::abs(step) < kClockCorrection;
    if (rest_.in_progress()) {
        // After the rest the schedule goes on from the clock's new time, as it would have without the rest.
        if (!correction) {
            from_ = now;
        }
        build_chain();
        return;
    }
    if (!running_) {
        return;
    }
    if (!correction) {
        rebuild_on_today(now);
        return;
    }
    // A correction moves nothing: what it stepped over forward still runs, what was done stays done, and a midnight
    // it stepped over is taken as any midnight is.
    const TDateTime before_step = now - static_cast<double>(std::max<std::int64_t>(step, 0)) / kMsPerDay;
    build_chain();
    select_next_due(owed_from(before_step));
    go_on();
}

bool Scheduler::woke_before(std::uint32_t due_tick) const {
    return suspend_noticed_ || static_cast<std::int32_t>(ports_.clock.tick_count() - due_tick) > kWakeLateness;
}

bool Scheduler::woke_just_now() const {
    return has_woken_ && ports_.clock.tick_count() - woke_tick_ <= static_cast<std::uint32_t>(kWakeLateness);
}

void Scheduler::suspended() {
    suspend_noticed_ = true;
}

void Scheduler::resumed() {
    // A timer that fired late may have told of this wake already.
    if (suspend_noticed_ || !woke_just_now()) {
        woke();
    }
}

void Scheduler::woke() {
    suspend_noticed_ = false;
    has_woken_ = true;
    woke_tick_ = ports_.clock.tick_count();
    see_clock();  // whether or not the tick count went on while asleep
    arm_day_timer();
    const TDateTime now = ports_.clock.now();
    if (rest_.in_progress()) {
        // The time asleep counts as rest taken; what fell due meanwhile is not run afterwards.
        from_ = std::max(from_, now);
        ports_.Timer1.SetEnabled(false);
        ports_.Timer1.SetInterval(kRestTick);
        ports_.Timer1.SetEnabled(true);
        rest_tick();
        return;
    }
    if (running_) {
        rebuild_on_today(now);
    }
}

void Scheduler::restore_desktop() {
    if (rest_.in_progress()) {
        finish_rest();
    }
    rest_.cancel_pre_reminder();
}

}  // namespace vistrel
