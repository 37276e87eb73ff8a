#include "framework/hint_window.h"

#include "framework/canvas.h"

namespace vistrel {
namespace {

constexpr int kMargin = 3;

}  // namespace

void THintWindow::ActivateHint(POINT at, const std::wstring& text) {
    if (hwnd() == nullptr) {
        TCreateParams params;
        params.class_name = L"VistrelHint";
        params.class_style = CS_SAVEBITS;
        params.style = WS_POPUP | WS_BORDER;
        params.ex_style = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
        create_window(params);
    }
    text_ = text;
    TCanvas& canvas = measuring_canvas();
    canvas.Font().Assign(TFont());
    const SIZE size = canvas.TextExtent(text_);
    SetWindowPos(hwnd(), HWND_TOPMOST, at.x, at.y, size.cx + 2 * kMargin + 2, size.cy + 2 * kMargin,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void THintWindow::ReleaseHandle() {
    if (hwnd() != nullptr) {
        ShowWindow(hwnd(), SW_HIDE);
    }
}

bool THintWindow::Showing() const {
    return hwnd() != nullptr && IsWindowVisible(hwnd());
}

void THintWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    TCanvas canvas;
    canvas.SetHandle(dc);
    RECT client{};
    GetClientRect(hwnd(), &client);
    canvas.Brush().SetColor(clInfoBk);
    canvas.FillRect(client);
    canvas.Font().SetColor(clInfoText);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(kMargin, kMargin - 1, text_);
    canvas.SetHandle(nullptr);
    EndPaint(hwnd(), &ps);
}

LRESULT THintWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            return DefaultHandler(message, wparam, lparam);
    }
}

}  // namespace vistrel
