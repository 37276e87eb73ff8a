#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/clock.h"
#include "engine/timer_port.h"

namespace vistrel {

class VirtualTimer;

/// A clock with timers that only moves when it is told to: every timer fires exactly when it is due, in order of
/// due time (timers due at the same moment in the order they were started). Lets tests and previews run days of
/// schedule in milliseconds. Timers follow the elapsed time, as system timers do, not the wall clock.
class VirtualClock final : public Clock {
public:
    /// The wall clock reads start (rounded to the millisecond) and the tick count is tick_count.
    explicit VirtualClock(TDateTime start, std::uint32_t tick_count = 0);
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    TDateTime now() const override;
    std::uint32_t tick_count() const override;

    /// Milliseconds of virtual time run so far.
    std::int64_t elapsed() const { return elapsed_; }
    /// The wall clock in milliseconds since 1899-12-30 00:00.
    std::int64_t wall_ms() const { return elapsed_ + wall_offset_; }

    /// Sets the wall clock, as the user does; timers and the tick count go on unaffected.
    void set_now(TDateTime t);
    /// Fires every timer due within the next ms milliseconds, then stands ms later.
    void run_for(std::int64_t ms);
    /// run_for up to the moment the wall clock reads t; nothing when t is not ahead.
    void run_until(TDateTime t);
    /// The computer sleeps until the wall clock reads t: the wall clock and the tick count move on and no timer
    /// fires meanwhile; those that fell due fire late, at the next run_for. Nothing when t is not ahead.
    void sleep_until(TDateTime t);
    /// Milliseconds until the next timer is due (0 for one overdue after a sleep), or -1 when none runs.
    std::int64_t next_due_in() const;

private:
    friend class VirtualTimer;

    void attach(VirtualTimer& timer);
    void detach(VirtualTimer& timer);
    void schedule(VirtualTimer& timer);
    VirtualTimer* next_timer() const;

    std::int64_t elapsed_ = 0;
    std::int64_t wall_offset_ = 0;
    std::uint32_t tick_at_start_ = 0;
    std::uint64_t sequence_ = 0;
    std::vector<VirtualTimer*> timers_;
};

/// A Timer of a VirtualClock.
class VirtualTimer final : public Timer {
public:
    explicit VirtualTimer(VirtualClock& clock);
    ~VirtualTimer() override;

    std::int32_t Tag() const override { return tag_; }
    void SetTag(std::int32_t tag) override { tag_ = tag; }
    void SetOnTimer(std::function<void()> handler) override { handler_ = std::move(handler); }

    /// When the timer fires next, in elapsed milliseconds of its clock (while running).
    std::int64_t due() const { return due_; }

private:
    friend class VirtualClock;

    void restart() override;
    void fire() const {
        if (handler_) {
            handler_();
        }
    }

    VirtualClock& clock_;
    std::int32_t tag_ = 0;
    std::function<void()> handler_;
    std::int64_t due_ = 0;
    std::uint64_t sequence_ = 0;  // order among timers due at the same moment
};

/// Milliseconds since 1899-12-30 00:00 of a time, rounded; and back (for times from that day on).
std::int64_t time_to_ms(TDateTime t);
TDateTime ms_to_time(std::int64_t ms);

}  // namespace vistrel
