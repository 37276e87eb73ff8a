#include "framework/timer.h"

namespace vistrel {

TTimer::TTimer(TComponent* owner)
    : TComponent(owner), window_([this](UINT m, WPARAM w, LPARAM l) { return handle_message(m, w, l); }) {
    update_timer();
}

TTimer::~TTimer() {
    KillTimer(window_.handle(), 1);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        update_timer();
    }
}

void TTimer::SetInterval(unsigned interval) {
    if (interval != interval_) {
        interval_ = interval;
        update_timer();
    }
}

void TTimer::update_timer() {
    KillTimer(window_.handle(), 1);
    if (enabled_ && interval_ != 0) {
        SetTimer(window_.handle(), 1, interval_, nullptr);
    }
}

LRESULT TTimer::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER) {
        if (OnTimer) {
            OnTimer(this);
        }
        return 0;
    }
    return DefWindowProcW(window_.handle(), message, wparam, lparam);
}

}  // namespace vistrel
