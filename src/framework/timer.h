#pragma once

#include <cstdint>

#include "engine/timer_port.h"
#include "framework/component.h"
#include "framework/utility_window.h"

namespace vistrel {

/// A timer of the user-interface thread: OnTimer every Interval milliseconds while Enabled (1000 ms and enabled
/// when made). It is also the engine's Timer port, so a form's timer is the one the scheduler drives.
/// A tick whose handler throws is reported through Application().HandleException and the timer runs on: if the
/// handler had stopped it, it starts again with the interval it had when the tick began.
class TTimer final : public TComponent, public Timer {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    /// The component's Tag.
    std::int32_t Tag() const override { return TComponent::Tag; }
    void SetTag(std::int32_t tag) override { TComponent::Tag = tag; }
    /// Makes `handler` the OnTimer event (how the engine takes over a timer).
    void SetOnTimer(std::function<void()> handler) override;

    TNotifyEvent OnTimer;

private:
    void restart() override;
    void tick();
    void run_on_after_error(std::uint32_t interval);
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);

    std::uint64_t restarts_ = 0;  // counts changes of Interval and Enabled
    UtilityWindow window_;
};

}  // namespace vistrel
