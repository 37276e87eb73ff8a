#include "engine/scheduler.h"

#include <algorithm>
#include <cmath>

namespace vistrel {
namespace {

constexpr std::int64_t kPreReminderLead = 60000;
constexpr std::int64_t kMinimumInterval = 100;
// A midnight tick this late still counts as the midnight itself, so that entries at 00:00:00 are not lost to the
// timer's lateness. A later tick (the computer slept through midnight) goes on from the moment it came.
constexpr double kLateMidnightTick = 60000.0 / kMsPerDay;

// The first entry of the chain after head that wanted accepts, given its time today; null when there is none.
template <typename Wanted>
TimerEntry* first_in_chain(const TimerEntry& head, TDateTime now, Wanted wanted) {
    TimerEntry* entry = head.chain;
    while (entry && !wanted(*entry, absolute_time(entry->time, now))) {
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
}

Scheduler::~Scheduler() {
    ports_.Timer1.SetEnabled(false);
    ports_.Timer_day.SetEnabled(false);
    ports_.Timer1.SetOnTimer({});
    ports_.Timer_day.SetOnTimer({});
}

void Scheduler::build_chain() {
    TimerEntry& head = schedule_.rest_list.sentinel();
    for (TimerEntry* entry = &head; entry; entry = entry->next) {
        entry->chain = entry->next;
    }
    const TDateTime now = ports_.clock.now();
    // Every entry before the last insertion point is due before the last task inserted, so a task due no earlier
    // than that one is looked for from there on: the every-day tasks, then the dated ones, take one pass each.
    TimerEntry* last_place = &head;
    TDateTime last_due = 0.0;
    for (TimerEntry& task : schedule_.task_list) {
        const TDateTime due = absolute_time(task.time, now);
        TimerEntry* p = due >= last_due ? last_place : &head;
        // A task goes before every entry due at its time or later, a rest at the same time included.
        while (p->chain && due > absolute_time(p->chain->time, now)) {
            p = p->chain;
        }
        task.chain = p->chain;
        p->chain = &task;
        last_place = p;
        last_due = due;
    }
}

void Scheduler::select_next_due(TDateTime from) {
    next_due_ =
        first_in_chain(schedule_.rest_list.sentinel(), ports_.clock.now(),
                       [&](const TimerEntry& entry, TDateTime due) { return due >= from && !done(entry, due); });
}

void Scheduler::select_next_due_after_rest() {
    next_due_ = first_in_chain(schedule_.rest_list.sentinel(), ports_.clock.now(),
                               [&](const TimerEntry&, TDateTime due) { return due > rest_entry_time_; });
}

void Scheduler::mark_done(const TimerEntry& entry, TDateTime due) {
    if (done_time_ != due) {
        done_time_ = due;
        done_entries_.clear();
    }
    done_entries_.emplace_back(entry.time, entry.is_task());
}

bool Scheduler::done(const TimerEntry& entry, TDateTime due) const {
    if (!done_time_ || due > *done_time_) {
        return false;
    }
    return due < *done_time_ || std::find(done_entries_.begin(), done_entries_.end(),
                                          std::pair(entry.time, entry.is_task())) != done_entries_.end();
}

void Scheduler::rebuild_due_chain() {
    rebuild_from(ports_.clock.now());
}

void Scheduler::rebuild_from(TDateTime from) {
    build_chain();
    if (rest_.in_progress()) {
        // The rest goes on ticking to its end; where to go on is decided then.
        return;
    }
    rest_.cancel_pre_reminder();
    select_next_due(from);
    arm_timer();
}

void Scheduler::arm_timer() {
    ports_.Timer1.SetEnabled(false);
    if (!running_ || !next_due_) {
        return;
    }
    std::int64_t interval = ms_until(next_due_->time, ports_.clock.now());
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
    events_.armed(armed, ports_.Timer1.Tag());
}

bool Scheduler::boot_grace_holds() {
    if (boot_grace_) {
        boot_grace_ = std::int64_t{ports_.clock.tick_count() / 60000} < settings_.StartDummyTime;
    }
    return boot_grace_;
}

bool Scheduler::carry_out(TimerEntry& entry) {
    const TDateTime due = absolute_time(entry.time, ports_.clock.now());
    mark_done(entry, due);
    if (entry.is_task()) {
        if (entry.is_program()) {
            tasks_.run_program(entry);
        } else {
            tasks_.run_reminder(entry);
        }
        return false;
    }
    if (boot_grace_holds()) {
        events_.rest_skipped(entry);
    } else if (settings_.CompulsoryRest) {
        rest_entry_time_ = due;
        next_due_ = nullptr;  // the rest remembers its time, not its entry, which an edit may free
        rest_.start_compulsory_rest(entry);
        return true;
    } else {
        rest_.rest_once(entry);
    }
    rest_.cancel_pre_reminder();
    return false;
}

void Scheduler::finish_rest() {
    rest_.end_compulsory_rest();
    // What fell due during the rest follows now, whatever rebuilt the chain meanwhile.
    select_next_due_after_rest();
    arm_timer();
}

void Scheduler::Timer1Timer() {
    if (rest_.in_progress()) {
        if (!rest_.over()) {
            rest_.rest_action(RestPhase::begin);
            return;
        }
        finish_rest();
        return;
    }
    ports_.Timer1.SetEnabled(false);
    if (!next_due_) {
        return;
    }
    const std::int64_t left = ms_until(next_due_->time, ports_.clock.now());
    if (left <= 0) {
        TimerEntry& entry = *next_due_;
        if (carry_out(entry)) {
            return;
        }
        next_due_ = entry.chain;
    } else if (!boot_grace_holds() && settings_.CompulsoryRest && settings_.CompulsoryPremind &&
               left <= kPreReminderLead && ports_.Timer1.Tag() == 1) {
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
    ports_.Timer_day.SetInterval(static_cast<std::uint32_t>(std::max<std::int64_t>(interval, 1)));
    ports_.Timer_day.SetEnabled(true);
}

void Scheduler::Timer_dayTimer() {
    const TDateTime now = ports_.clock.now();
    if (running_ && day_part(now) == ports_.Timer_day.Tag()) {
        const auto midnight = static_cast<TDateTime>(ports_.Timer_day.Tag());
        rebuild_from(now - midnight < kLateMidnightTick ? midnight : now);
    }
    arm_day_timer();
}

void Scheduler::change_run_or_pause() {
    running_ = !running_;
    if (!running_) {
        rest_.restore_everything();
        next_due_ = nullptr;  // the timetables may change while paused without a rebuild
    }
    ports_.Timer1.SetEnabled(running_);
    if (running_) {
        rebuild_due_chain();
    }
}

void Scheduler::time_changed() {
    done_time_.reset();  // with the clock set back, what was done may fall due again
    arm_day_timer();
    if (running_) {
        rebuild_due_chain();
    }
}

void Scheduler::restore_desktop() {
    if (rest_.in_progress()) {
        finish_rest();
    }
    rest_.cancel_pre_reminder();
}

}  // namespace vistrel
