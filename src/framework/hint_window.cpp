#include "framework/hint_window.h"

#include "framework/canvas.h"

namespace vistrel {
namespace {

constexpr int kMargin = 3;

}  // namespace

void THintWindow::ActivateHint(POINT at, const std::wstring& text) {
    if (!handle_) {
        static const ATOM atom = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.style = CS_SAVEBITS;
            wc.lpfnWndProc = &window_proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            wc.lpszClassName = L"VistrelHint";
            return RegisterClassExW(&wc);
        }();
        handle_.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, MAKEINTATOM(atom), L"",
                                      WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                                      nullptr));
        SetWindowLongPtrW(handle_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    text_ = text;
    TCanvas& canvas = measuring_canvas();
    canvas.Font().Assign(TFont());
    const SIZE size = canvas.TextExtent(text_);
    SetWindowPos(handle_.get(), HWND_TOPMOST, at.x, at.y, size.cx + 2 * kMargin + 2, size.cy + 2 * kMargin,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(handle_.get(), nullptr, TRUE);
}

void THintWindow::ReleaseHandle() {
    if (handle_) {
        ShowWindow(handle_.get(), SW_HIDE);
    }
}

bool THintWindow::Showing() const {
    return handle_ && IsWindowVisible(handle_.get());
}

void THintWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_.get(), &ps);
    TCanvas canvas;
    canvas.SetHandle(dc);
    RECT client{};
    GetClientRect(handle_.get(), &client);
    canvas.Brush().SetColor(clInfoBk);
    canvas.FillRect(client);
    canvas.Font().SetColor(clInfoText);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(kMargin, kMargin - 1, text_);
    canvas.SetHandle(nullptr);
    EndPaint(handle_.get(), &ps);
}

LRESULT CALLBACK THintWindow::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<THintWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_PAINT) {
        try {
            self->paint();
        } catch (...) {
            ValidateRect(window, nullptr);  // a hint that cannot be drawn stays blank
        }
        return 0;
    }
    if (message == WM_MOUSEACTIVATE) {
        return MA_NOACTIVATE;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace vistrel
