#include "framework/win_control.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/application.h"
#include "framework/graphic_control.h"
#include "win32/dib_header.h"

namespace vistrel {
namespace {

int next_control_id() {
    static int id = 0;
    id = id % 0x7FFF + 1;
    return id;
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    set_mouse_control(nullptr);
    while (!controls_.empty()) {
        delete controls_.back();  // its destructor takes it off the list
    }
    DestroyHandle();
}

HWND TWinControl::Handle() {
    if (hwnd() == nullptr) {
        create_handle();
    }
    return hwnd();
}

TWinControl* TWinControl::FromHandle(HWND window) {
    return dynamic_cast<TWinControl*>(FromWindow(window));
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.caption = caption_;
    params.style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible()) {
        params.style |= WS_VISIBLE;
    }
    if (!Enabled()) {
        params.style |= WS_DISABLED;
    }
    if (TabStop) {
        params.style |= WS_TABSTOP;
    }
    params.x = Left();
    params.y = Top();
    params.width = Width();
    params.height = Height();
    params.class_name = L"VistrelControl";
    params.class_style = CS_DBLCLKS;
}

void TWinControl::create_handle() {
    HWND parent = Parent() != nullptr ? Parent()->Handle() : nullptr;
    if (hwnd() != nullptr) {
        return;  // the parent's new window made its children's, this one's among them
    }
    TCreateParams params;
    CreateParams(params);
    if (parent != nullptr) {
        params.parent = parent;
    }
    if ((params.style & WS_CHILD) != 0) {
        params.id = static_cast<UINT_PTR>(next_control_id());
    }
    create_window(params);
    CreateWnd();
}

void TWinControl::CreateWnd() {
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    update_bounds_from_window();
    // A hidden child gets its window when it is first shown or asked for: the pages not on show cost nothing at
    // start.
    for (TWinControl* child : tab_list_) {
        if (child->Visible()) {
            child->HandleNeeded();
        }
    }
}

void TWinControl::DestroyWnd() {
    // The window text is the caption while the window lives; keep it for the next one.
    caption_ = Caption();
}

void TWinControl::DestroyHandle() {
    if (hwnd() == nullptr) {
        return;
    }
    for (TWinControl* child : tab_list_) {
        child->DestroyHandle();
    }
    DestroyWnd();
    destroy_window();
}

LRESULT TWinControl::Perform(UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessageW(Handle(), message, wparam, lparam);
}

LRESULT TWinControl::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    return dispatch(message, wparam, lparam);
}

LRESULT TWinControl::dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    if (auto reflected = reflect(message, wparam, lparam)) {
        return *reflected;
    }
    switch (message) {
        case WM_PAINT:
            if (!system_class()) {
                paint();
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            if (!system_class()) {
                return 1;  // painted together with everything else in WM_PAINT
            }
            break;
        case WM_WINDOWPOSCHANGED:
            update_bounds_from_window();
            break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            route_mouse(message, wparam, lparam);
            break;
        case WM_MOUSELEAVE:
            tracking_leave_ = false;
            set_mouse_control(nullptr);
            break;
        case WM_CAPTURECHANGED:
            capture_control_ = nullptr;
            break;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wparam) == hwnd() && LOWORD(lparam) == HTCLIENT && set_cursor_for_client()) {
                return TRUE;
            }
            break;
        case WM_SETFOCUS:
            if (Parent() != nullptr) {
                Parent()->ControlFocused(this);
            }
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            WORD key = static_cast<WORD>(wparam);
            KeyDown(key, keyboard_shift_state());
            if (key == 0) {
                return 0;
            }
            break;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            WORD key = static_cast<WORD>(wparam);
            KeyUp(key, keyboard_shift_state());
            if (key == 0) {
                return 0;
            }
            break;
        }
        case WM_CHAR: {
            auto key = static_cast<wchar_t>(wparam);
            KeyPress(key);
            if (key == 0) {
                return 0;
            }
            wparam = key;
            break;
        }
        default:
            break;
    }
    return DefaultHandler(message, wparam, lparam);
}

std::optional<LRESULT> TWinControl::reflect(UINT message, WPARAM wparam, LPARAM lparam) {
    HWND child = nullptr;
    switch (message) {
        case WM_COMMAND:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORSCROLLBAR:
            child = reinterpret_cast<HWND>(lparam);
            break;
        case WM_NOTIFY:
            child = reinterpret_cast<const NMHDR*>(lparam)->hwndFrom;
            break;
        case WM_DRAWITEM:
            if (reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->CtlType != ODT_MENU) {
                child = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->hwndItem;
            }
            break;
        case WM_MEASUREITEM:
            if (reinterpret_cast<const MEASUREITEMSTRUCT*>(lparam)->CtlType != ODT_MENU) {
                child = GetDlgItem(hwnd(), static_cast<int>(wparam));
            }
            break;
        default:
            return std::nullopt;
    }
    TWinControl* control = FromHandle(child);
    if (control == nullptr || control == this) {
        return std::nullopt;
    }
    return control->reflected_message(message, wparam, lparam);
}

std::optional<LRESULT> TWinControl::reflected_message(UINT message, WPARAM wparam, LPARAM) {
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        auto dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, ColorToRGB(Font().Color()));
        SetBkColor(dc, ColorToRGB(Color()));
        return reinterpret_cast<LRESULT>(color_brush());
    }
    return std::nullopt;
}

HBRUSH TWinControl::color_brush() {
    if (!color_brush_) {
        color_brush_.reset(CreateSolidBrush(ColorToRGB(Color())));
    }
    return color_brush_.get();
}

void TWinControl::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    const RECT& area = ps.rcPaint;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width > 0 && height > 0) {
        // Drawn off screen first, so overlapping windowless controls never flicker. The buffer covers only what is
        // painted, and its memory goes back to the system afterwards (a device bitmap's would stay in wine's heap).
        const BITMAPINFO info = top_down_dib_header(width, height, 32);
        void* bits = nullptr;
        const UniqueHdc buffer(CreateCompatibleDC(dc));
        const UniqueHbitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        {
            const SelectGuard selected(buffer.get(), bitmap.get());
            SetViewportOrgEx(buffer.get(), -area.left, -area.top, nullptr);
            PaintWindow(buffer.get(), area);
            SetViewportOrgEx(buffer.get(), 0, 0, nullptr);
            BitBlt(dc, area.left, area.top, width, height, buffer.get(), 0, 0, SRCCOPY);
        }
    }
    EndPaint(hwnd(), &ps);
}

void TWinControl::PaintWindow(HDC dc, const RECT& update) {
    const UniqueHbrush background(CreateSolidBrush(ColorToRGB(Color())));
    ::FillRect(dc, &update, background.get());
    PaintControls(dc, update);
}

void TWinControl::PaintControls(HDC dc, const RECT& update) {
    for (TControl* control : controls_) {
        auto* graphic = dynamic_cast<TGraphicControl*>(control);
        RECT area{};
        const RECT bounds = control->BoundsRect();
        if (graphic == nullptr || !graphic->Visible() || !IntersectRect(&area, &bounds, &update)) {
            continue;
        }
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        graphic->paint_on(dc);
        RestoreDC(dc, saved);
    }
}

TControl* TWinControl::ControlAtPos(POINT point, bool allow_disabled) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TGraphicControl*>(c) != nullptr && c->Visible() && (c->Enabled() || allow_disabled) &&
            c->ContainsPoint({point.x - c->Left(), point.y - c->Top()})) {
            return c;
        }
    }
    return nullptr;
}

void TWinControl::route_mouse(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_MOUSEMOVE) {
        Application().CancelHint();
    }
    const POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    TControl* under = ControlAtPos(p, false);
    TControl* const mouse_control = under != nullptr ? under : this;
    set_mouse_control(mouse_control);
    watch_mouse_leave(mouse_control->WantsMouseLeave());
    TControl* target = capture_control_ != nullptr ? capture_control_ : under;
    const TShiftState shift = mouse_shift_state(wparam);
    if (target == nullptr) {
        mouse_message(message, shift, p.x, p.y);
        return;
    }
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
                      message == WM_LBUTTONDBLCLK;
    if (down && capture_control_ == nullptr) {
        capture_control_ = target;
        SetCapture(hwnd());
    }
    target->mouse_message(message, shift, p.x - target->Left(), p.y - target->Top());
    const bool up = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    if (up && (wparam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && capture_control_ != nullptr) {
        capture_control_ = nullptr;
        if (GetCapture() == hwnd()) {
            ReleaseCapture();
        }
    }
}

void TWinControl::set_mouse_control(TControl* control) {
    if (control == mouse_control_) {
        return;
    }
    TControl* previous = std::exchange(mouse_control_, control);
    Application().HintMouseMessage(control, previous);
    if (previous != nullptr) {
        previous->MouseLeave();
    }
    if (control != nullptr) {
        control->MouseEnter();
    }
}

void TWinControl::watch_mouse_leave(bool watch) {
    if (watch == tracking_leave_) {
        return;
    }
    // Unwatched, the mouse may leave unnoticed: the control it was over then simply hears nothing.
    TRACKMOUSEEVENT track{sizeof(track), static_cast<DWORD>(watch ? TME_LEAVE : TME_LEAVE | TME_CANCEL), hwnd(), 0};
    if (TrackMouseEvent(&track)) {
        tracking_leave_ = watch;
    }
}

bool TWinControl::set_cursor_for_client() {
    POINT p{};
    GetCursorPos(&p);
    ::ScreenToClient(hwnd(), &p);
    const TControl* under = capture_control_ != nullptr ? capture_control_ : ControlAtPos(p, false);
    const TCursor cursor = under != nullptr && under->Cursor() != crDefault ? under->Cursor() : Cursor();
    if (cursor == crDefault) {
        return false;
    }
    ::SetCursor(cursor_handle(cursor));
    return true;
}

void TWinControl::insert_control(TControl& control) {
    controls_.push_back(&control);
    if (auto* win = dynamic_cast<TWinControl*>(&control)) {
        tab_list_.push_back(win);
        if (hwnd() != nullptr && win->Visible()) {
            win->HandleNeeded();
        }
    } else {
        control.Invalidate();
    }
}

void TWinControl::remove_control(TControl& control) {
    if (mouse_control_ == &control) {
        mouse_control_ = nullptr;
        Application().CancelHint();
    }
    if (capture_control_ == &control) {
        capture_control_ = nullptr;
    }
    ControlRemoved(&control);
    control.Invalidate();
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
    if (auto* win = dynamic_cast<TWinControl*>(&control)) {
        tab_list_.erase(std::remove(tab_list_.begin(), tab_list_.end(), win), tab_list_.end());
        if (!win->Destroying()) {
            win->DestroyHandle();  // a child window cannot outlive its parent's
        }
    }
}

RECT TWinControl::ClientRect() const {
    RECT r{};
    if (hwnd() != nullptr) {
        GetClientRect(hwnd(), &r);
        return r;
    }
    // No window yet: take off what the window's style would put around the client area.
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.style & ~WS_VISIBLE, FALSE, params.ex_style);
    r.right = std::max(0L, Width() - (frame.right - frame.left));
    r.bottom = std::max(0L, Height() - (frame.bottom - frame.top));
    return r;
}

std::wstring TWinControl::Caption() const {
    if (hwnd() == nullptr) {
        return caption_;
    }
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd())) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd(), text.data(), static_cast<int>(text.size()))));
    return text;
}

void TWinControl::TextChanged() {
    if (hwnd() != nullptr) {
        SetWindowTextW(hwnd(), caption_.c_str());
    }
    TControl::TextChanged();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    ConstrainSize(width, height);
    if (hwnd() == nullptr || IsIconic(hwnd()) || IsZoomed(hwnd())) {
        TControl::SetBounds(left, top, width, height);
        return;
    }
    // The window tells its new bounds back through WM_WINDOWPOSCHANGED.
    SetWindowPos(hwnd(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TWinControl::window_bounds() const {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    if ((GetWindowLongPtrW(hwnd(), GWL_STYLE) & WS_CHILD) != 0) {
        MapWindowPoints(HWND_DESKTOP, GetParent(hwnd()), reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

void TWinControl::update_bounds_from_window() {
    if (hwnd() == nullptr || IsIconic(hwnd())) {
        return;
    }
    const RECT r = window_bounds();
    store_bounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TWinControl::BoundsChanged(bool resized) {
    if (resized) {
        AlignControls();
        Resize();
    }
}

POINT TWinControl::ClientToScreen(POINT point) const {
    if (hwnd() == nullptr) {
        return TControl::ClientToScreen(point);
    }
    ::ClientToScreen(hwnd(), &point);
    return point;
}

POINT TWinControl::ScreenToClient(POINT point) const {
    if (hwnd() == nullptr) {
        return TControl::ScreenToClient(point);
    }
    ::ScreenToClient(hwnd(), &point);
    return point;
}

void TWinControl::Invalidate() {
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, TRUE);
    }
}

void TWinControl::AlignControls() {
    RECT r = ClientRect();
    for (const TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : controls_) {
            if (c->Align() != align || !c->Visible()) {
                continue;
            }
            switch (align) {
                case alTop:
                    c->set_bounds_from_anchors(r.left, r.top, r.right - r.left, c->Height());
                    r.top += c->Height();
                    break;
                case alBottom:
                    c->set_bounds_from_anchors(r.left, r.bottom - c->Height(), r.right - r.left, c->Height());
                    r.bottom -= c->Height();
                    break;
                case alLeft:
                    c->set_bounds_from_anchors(r.left, r.top, c->Width(), r.bottom - r.top);
                    r.left += c->Width();
                    break;
                case alRight:
                    c->set_bounds_from_anchors(r.right - c->Width(), r.top, c->Width(), r.bottom - r.top);
                    r.right -= c->Width();
                    break;
                default:
                    c->set_bounds_from_anchors(r.left, r.top, r.right - r.left, r.bottom - r.top);
                    break;
            }
        }
    }
    const RECT client = ClientRect();
    for (TControl* c : controls_) {
        const TAnchors anchors = c->Anchors();
        if (c->Align() != alNone || (anchors & (akRight | akBottom)) == 0) {
            continue;
        }
        const RECT b = c->anchor_bounds_;
        const int dw = client.right - c->anchor_parent_.cx;
        const int dh = client.bottom - c->anchor_parent_.cy;
        int left = b.left, top = b.top, width = b.right - b.left, height = b.bottom - b.top;
        if ((anchors & akRight) != 0) {
            ((anchors & akLeft) != 0 ? width : left) += dw;
        }
        if ((anchors & akBottom) != 0) {
            ((anchors & akTop) != 0 ? height : top) += dh;
        }
        c->set_bounds_from_anchors(left, top, width, height);
    }
}

void TWinControl::FontChanged() {
    if (hwnd() != nullptr) {
        SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    }
    for (TControl* c : controls_) {
        c->parent_changed();
    }
    TControl::FontChanged();
}

void TWinControl::ColorChanged() {
    color_brush_.reset();
    for (TControl* c : controls_) {
        c->parent_changed();
    }
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, TRUE);
    }
}

void TWinControl::VisibleChanged() {
    if (hwnd() != nullptr) {
        ShowWindow(hwnd(), Visible() ? SW_SHOWNA : SW_HIDE);
    } else if (Visible() && Parent() != nullptr && Parent()->HandleAllocated()) {
        HandleNeeded();
    }
    TControl::VisibleChanged();
}

void TWinControl::EnabledChanged() {
    if (hwnd() != nullptr) {
        EnableWindow(hwnd(), Enabled() ? TRUE : FALSE);
    }
    TControl::EnabledChanged();
}

int TWinControl::TabOrder() const {
    if (Parent() == nullptr) {
        return -1;
    }
    const auto& list = Parent()->tab_list_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (Parent() == nullptr) {
        return;
    }
    auto& list = Parent()->tab_list_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    const auto at = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + at, this);
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c != nullptr; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) {
            return false;
        }
    }
    return true;
}

bool TWinControl::Focused() const {
    return hwnd() != nullptr && GetFocus() == hwnd();
}

void TWinControl::SetFocus() {
    ::SetFocus(Handle());
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
    }
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) {
        OnKeyUp(this, key, shift);
    }
}

void TWinControl::KeyPress(wchar_t& key) {
    if (OnKeyPress) {
        OnKeyPress(this, key);
    }
}

bool TWinControl::DialogKey(WORD key, TShiftState shift) {
    for (TWinControl* child : std::vector<TWinControl*>(tab_list_)) {
        if (child->DialogKey(key, shift)) {
            return true;
        }
    }
    return false;
}

void TWinControl::FocusChanged(TWinControl* focused) {
    for (TWinControl* child : std::vector<TWinControl*>(tab_list_)) {
        child->FocusChanged(focused);
    }
}

bool TWinControl::PreviewKeyDown(const MSG& message) {
    LRESULT mask = 0;
    switch (message.wParam) {
        case VK_TAB:
            mask = DLGC_WANTTAB;
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            mask = DLGC_WANTARROWS;
            break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL:
            mask = DLGC_WANTALLKEYS;
            break;
        default:
            return false;
    }
    if ((Perform(WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message)) & mask) != 0) {
        return false;
    }
    // The key goes to the top of the control tree: the form.
    TWinControl* top = this;
    while (top->Parent() != nullptr) {
        top = top->Parent();
    }
    return top->DialogKey(static_cast<WORD>(message.wParam), keyboard_shift_state());
}

void TWinControl::ControlFocused(TWinControl* control) {
    if (Parent() != nullptr) {
        Parent()->ControlFocused(control);
    }
}

void TWinControl::ControlRemoved(TControl* control) {
    if (Parent() != nullptr) {
        Parent()->ControlRemoved(control);
    }
}

}  // namespace vistrel
