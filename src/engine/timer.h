#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace vistrel {

/// A timer of the user-interface thread: while enabled it calls its handler every Interval milliseconds.
/// One-shot use is the caller's: disable, set the interval, enable, and disable again in the handler.
/// Implementations say how a full interval is started (`restart`) and call `fire` when it has passed.
class Timer {
public:
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    virtual ~Timer() = default;

    std::uint32_t Interval() const { return interval_; }
    /// A new interval restarts a running timer; 0 stops it from firing.
    void SetInterval(std::uint32_t interval) {
        if (interval != interval_) {
            interval_ = interval;
            restart();
        }
    }
    bool Enabled() const { return enabled_; }
    /// Enabling starts a full interval; enabling an enabled timer changes nothing.
    void SetEnabled(bool enabled) {
        if (enabled != enabled_) {
            enabled_ = enabled;
            restart();
        }
    }

    /// A number the owner keeps with the timer.
    std::int32_t Tag() const { return tag_; }
    void SetTag(std::int32_t tag) { tag_ = tag; }

    void SetOnTimer(std::function<void()> handler) { handler_ = std::move(handler); }

    /// Whether the timer will fire at all.
    bool running() const { return enabled_ && interval_ != 0; }

protected:
    Timer() = default;

    /// Interval or Enabled changed: start a full interval anew when running, else stop.
    virtual void restart() = 0;
    /// The interval has passed: runs the handler, if there is one.
    void fire() const {
        if (handler_) {
            handler_();
        }
    }

private:
    std::uint32_t interval_ = 1000;
    bool enabled_ = false;
    std::int32_t tag_ = 0;
    std::function<void()> handler_;
};

}  // namespace vistrel
