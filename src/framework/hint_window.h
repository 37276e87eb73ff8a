#pragma once

#include <string>

#include "win32/unique_handle.h"

namespace vistrel {

/// The small yellow window that shows a control's hint under the mouse.
class THintWindow {
public:
    THintWindow() = default;
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;

    /// Shows `text` with the window's top-left corner at a screen point.
    void ActivateHint(POINT at, const std::wstring& text);
    void ReleaseHandle();
    bool Showing() const;
    const std::wstring& Text() const { return text_; }

private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void paint();

    UniqueHwnd handle_;
    std::wstring text_;
};

}  // namespace vistrel
