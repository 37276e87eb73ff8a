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

private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void restart() override;
    void tick();

    UniqueHwnd window_;
    std::function<void()> on_error_;
};

}  // namespace vistrel
