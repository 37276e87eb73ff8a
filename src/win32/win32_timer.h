#pragma once

#include <windows.h>

#include "engine/timer.h"
#include "win32/unique_handle.h"

namespace vistrel {

/// A Timer on SetTimer with a message-only window of its own; the handler runs from the thread's message loop.
class Win32Timer final : public Timer {
public:
    /// on_error is called, inside the catch, when the handler throws: no exception leaves the window procedure.
    explicit Win32Timer(std::function<void()> on_error = {});
    Win32Timer(const Win32Timer&) = delete;
    Win32Timer& operator=(const Win32Timer&) = delete;

    std::uint32_t Interval() const override { return interval_; }
    void SetInterval(std::uint32_t interval) override;
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;
    std::int32_t Tag() const override { return tag_; }
    void SetTag(std::int32_t tag) override { tag_ = tag; }
    void SetOnTimer(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void update();
    void fire();

    UniqueHwnd window_;
    std::uint32_t interval_ = 1000;
    bool enabled_ = false;
    std::int32_t tag_ = 0;
    std::function<void()> handler_;
    std::function<void()> on_error_;
};

}  // namespace vistrel
