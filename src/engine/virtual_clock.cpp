#include "engine/virtual_clock.h"

#include <algorithm>
#include <cmath>

namespace vistrel {

std::int64_t time_to_ms(TDateTime t) {
    return std::llround(static_cast<long double>(t) * 86400000.0L);
}

TDateTime ms_to_time(std::int64_t ms) {
    constexpr std::int64_t kDay = 86400000;
    // Built as every other time is, so that equal moments compare equal.
    return encode_time(static_cast<std::uint32_t>(ms / kDay), 0, 0, 0, static_cast<std::uint32_t>(ms % kDay));
}

VirtualClock::VirtualClock(TDateTime start, std::uint32_t tick_count)
    : wall_offset_(time_to_ms(start)), tick_at_start_(tick_count) {}

TDateTime VirtualClock::now() const {
    return ms_to_time(wall_ms());
}

std::uint32_t VirtualClock::tick_count() const {
    return tick_at_start_ + static_cast<std::uint32_t>(elapsed_);
}

void VirtualClock::set_now(TDateTime t) {
    wall_offset_ = time_to_ms(t) - elapsed_;
}

void VirtualClock::run_for(std::int64_t ms) {
    const std::int64_t end = elapsed_ + std::max<std::int64_t>(ms, 0);
    while (VirtualTimer* timer = next_timer()) {
        if (timer->due_ > end) {
            break;
        }
        elapsed_ = std::max(elapsed_, timer->due_);  // late after a sleep
        schedule(*timer);  // periodic: the next tick is one interval on, unless the handler re-arms
        timer->fire();
    }
    elapsed_ = end;
}

void VirtualClock::run_until(TDateTime t) {
    run_for(time_to_ms(t) - wall_ms());
}

void VirtualClock::sleep_until(TDateTime t) {
    elapsed_ += std::max<std::int64_t>(time_to_ms(t) - wall_ms(), 0);
}

std::int64_t VirtualClock::next_due_in() const {
    const VirtualTimer* timer = next_timer();
    return timer ? std::max<std::int64_t>(timer->due_ - elapsed_, 0) : -1;
}

void VirtualClock::attach(VirtualTimer& timer) {
    timers_.push_back(&timer);
}

void VirtualClock::detach(VirtualTimer& timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), &timer), timers_.end());
}

void VirtualClock::schedule(VirtualTimer& timer) {
    timer.due_ = elapsed_ + timer.Interval();
    timer.sequence_ = ++sequence_;
}

VirtualTimer* VirtualClock::next_timer() const {
    VirtualTimer* next = nullptr;
    for (VirtualTimer* timer : timers_) {
        if (timer->running() &&
            (!next || timer->due_ < next->due_ || (timer->due_ == next->due_ && timer->sequence_ < next->sequence_))) {
            next = timer;
        }
    }
    return next;
}

VirtualTimer::VirtualTimer(VirtualClock& clock) : clock_(clock) {
    clock_.attach(*this);
}

VirtualTimer::~VirtualTimer() {
    clock_.detach(*this);
}

void VirtualTimer::restart() {
    clock_.schedule(*this);
}

}  // namespace vistrel
