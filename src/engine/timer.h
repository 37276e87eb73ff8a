#pragma once

#include <cstdint>
#include <functional>

namespace vistrel {

/// A timer of the user-interface thread: while enabled it calls its handler every Interval milliseconds.
/// One-shot use is the caller's: disable, set the interval, enable, and disable again in the handler.
class Timer {
public:
    virtual ~Timer() = default;

    virtual std::uint32_t Interval() const = 0;
    /// A new interval restarts a running timer; 0 stops it from firing.
    virtual void SetInterval(std::uint32_t interval) = 0;
    virtual bool Enabled() const = 0;
    /// Enabling starts a full interval; enabling an enabled timer changes nothing.
    virtual void SetEnabled(bool enabled) = 0;

    /// A number the owner keeps with the timer.
    virtual std::int32_t Tag() const = 0;
    virtual void SetTag(std::int32_t tag) = 0;

    virtual void SetOnTimer(std::function<void()> handler) = 0;
};

}  // namespace vistrel
