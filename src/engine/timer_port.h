#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace vistrel {

/// The engine's timer port: a timer of the user-interface thread that, while enabled, calls its handler every
/// Interval milliseconds.
/// One-shot use is the caller's: disable, set the interval, enable, and disable again in the handler.
/// Implementations keep the tag and the handler, say how a full interval is started (`restart`) and run the
/// handler when it has passed.
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
    virtual std::int32_t Tag() const = 0;
    virtual void SetTag(std::int32_t tag) = 0;

    /// The handler run each time the interval has passed; an empty one does nothing.
    virtual void SetOnTimer(std::function<void()> handler) = 0;

    /// Whether the timer will fire at all.
    bool running() const { return enabled_ && interval_ != 0; }

protected:
    explicit Timer(bool enabled = false) : enabled_(enabled) {}

    /// Interval or Enabled changed: start a full interval anew when running, else stop.
    virtual void restart() = 0;

private:
    std::uint32_t interval_ = 1000;
    bool enabled_;
};

}  // namespace vistrel
