#include "framework/timer.h"

#include "framework/application.h"

namespace vistrel {
namespace {

constexpr UINT_PTR kTimerId = 1;

}  // namespace

TTimer::TTimer(TComponent* owner)
    : TComponent(owner), Timer(true), window_([this](UINT m, WPARAM w, LPARAM l) { return handle_message(m, w, l); }) {
    restart();
}

TTimer::~TTimer() {
    KillTimer(window_.handle(), kTimerId);
}

void TTimer::SetOnTimer(std::function<void()> handler) {
    if (handler) {
        OnTimer = [handler = std::move(handler)](TObject*) { handler(); };
    } else {
        OnTimer = nullptr;
    }
}

void TTimer::restart() {
    ++restarts_;
    KillTimer(window_.handle(), kTimerId);
    if (running()) {
        SetTimer(window_.handle(), kTimerId, Interval(), nullptr);
    }
}

void TTimer::tick() {
    const std::uint32_t interval = Interval();
    try {
        if (OnTimer) {
            OnTimer(this);
        }
    } catch (...) {
        // No tick while the error is shown: a handler that fails every second must not pile up message boxes.
        KillTimer(window_.handle(), kTimerId);
        const std::uint64_t restarts = restarts_;
        Application().HandleException();
        // Whoever set the timer while the error was shown (a pause, say) has the last word.
        if (restarts_ == restarts) {
            run_on_after_error(interval);
        }
    }
}

void TTimer::run_on_after_error(std::uint32_t interval) {
    // A one-shot handler stops its timer first: left like that, the schedule would stop with the failed tick.
    if (!Enabled()) {
        SetInterval(interval);
        SetEnabled(true);
    } else {
        restart();
    }
}

LRESULT TTimer::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER && wparam == kTimerId) {
        tick();
        return 0;
    }
    return DefWindowProcW(window_.handle(), message, wparam, lparam);
}

}  // namespace vistrel
