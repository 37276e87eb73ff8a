#pragma once

#include <string>

#include "framework/bound_window.h"

namespace vistrel {

/// The small yellow window that shows a control's hint under the mouse.
class THintWindow : public BoundWindow {
public:
    THintWindow() = default;

    /// Shows `text` with the window's top-left corner at a screen point.
    void ActivateHint(POINT at, const std::wstring& text);
    void ReleaseHandle();
    bool Showing() const;
    const std::wstring& Text() const { return text_; }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void paint();

    std::wstring text_;
};

}  // namespace vistrel
