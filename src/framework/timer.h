#pragma once

#include "framework/component.h"
#include "framework/utility_window.h"

namespace vistrel {

/// A window-message timer: OnTimer every Interval milliseconds while Enabled.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned interval);

    TNotifyEvent OnTimer;

private:
    void update_timer();
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);

    bool enabled_ = true;
    unsigned interval_ = 1000;
    UtilityWindow window_;
};

}  // namespace vistrel
