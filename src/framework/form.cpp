#include "framework/form.h"

#include <algorithm>
#include <stdexcept>

#include "framework/application.h"

namespace vistrel {
namespace {

// Posted to a form that frees itself once the current handler has returned.
constexpr UINT kReleaseMessage = WM_APP + 0x3F0;

// While a form runs modally, every other window of the thread is disabled.
class TaskWindowsDisabled {
public:
    explicit TaskWindowsDisabled(HWND keep) : keep_(keep) {
        EnumThreadWindows(GetCurrentThreadId(), &disable, reinterpret_cast<LPARAM>(this));
    }
    TaskWindowsDisabled(const TaskWindowsDisabled&) = delete;
    TaskWindowsDisabled& operator=(const TaskWindowsDisabled&) = delete;
    ~TaskWindowsDisabled() { restore(); }

    void restore() {
        for (HWND window : disabled_) {
            if (IsWindow(window)) {
                EnableWindow(window, TRUE);
            }
        }
        disabled_.clear();
    }

private:
    static BOOL CALLBACK disable(HWND window, LPARAM self_pointer) {
        auto* self = reinterpret_cast<TaskWindowsDisabled*>(self_pointer);
        if (window != self->keep_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            self->disabled_.push_back(window);
        }
        return TRUE;
    }

    HWND keep_;
    std::vector<HWND> disabled_;
};

// Focusable windowed controls below `parent`, depth first in tab order.
void collect_tab_controls(const TWinControl& parent, std::vector<TWinControl*>& out) {
    for (TWinControl* child : parent.TabList()) {
        out.push_back(child);
        collect_tab_controls(*child, out);
    }
}

}  // namespace

void TSizeConstraints::Apply(int& width, int& height) const {
    if (max_width_ > 0) {
        width = std::min(width, max_width_);
    }
    if (max_height_ > 0) {
        height = std::min(height, max_height_);
    }
    width = std::max(width, min_width_);
    height = std::max(height, min_height_);
}

void TSizeConstraints::set(int& field, int value) {
    if (value != field) {
        field = value;
        if (OnChange) {
            OnChange();
        }
    }
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    SetBounds(0, 0, 320, 240);
    constraints_.OnChange = [this] { SetBounds(Left(), Top(), Width(), Height()); };
}

TForm::~TForm() {
    active_control_ = nullptr;
    DestroyHandle();
}

void TForm::ReadDescription(const std::function<void()>& description) {
    if (described_) {
        throw std::logic_error("A form reads its description once");
    }
    described_ = true;
    description();
    // What a component's Loaded makes is not part of the description.
    const std::vector<TComponent*> described = Components();
    for (TComponent* component : described) {
        component->Loaded();
    }
}

void TForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ex_style = 0;
    switch (border_style_) {
        case bsNone:
            params.style |= WS_POPUP;
            break;
        case bsSingle:
            params.style |= WS_CAPTION;
            break;
        case bsSizeable:
            params.style |= WS_CAPTION | WS_THICKFRAME;
            break;
        case bsDialog:
            params.style |= WS_POPUP | WS_CAPTION;
            params.ex_style |= WS_EX_DLGMODALFRAME;
            break;
        case bsToolWindow:
            params.style |= WS_CAPTION;
            params.ex_style |= WS_EX_TOOLWINDOW;
            break;
        case bsSizeToolWin:
            params.style |= WS_CAPTION | WS_THICKFRAME;
            params.ex_style |= WS_EX_TOOLWINDOW;
            break;
    }
    if ((border_icons_ & biSystemMenu) != 0) {
        params.style |= WS_SYSMENU;
        if ((border_icons_ & biMinimize) != 0) {
            params.style |= WS_MINIMIZEBOX;
        }
        if ((border_icons_ & biMaximize) != 0) {
            params.style |= WS_MAXIMIZEBOX;
        }
    }
    if (!Enabled()) {
        params.style |= WS_DISABLED;
    }
    if (form_style_ == fsStayOnTop) {
        params.ex_style |= WS_EX_TOPMOST;
    }
    // Owned by the application window, which alone has the task-bar button.
    params.parent = Application().Handle();
    params.class_name = L"VistrelForm";
}

void TForm::CreateWnd() {
    TWinControl::CreateWnd();
    TIcon& icon = icon_.Handle() != nullptr ? icon_ : Application().Icon();
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.Handle()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.Handle()));
    show_menu();
}

void TForm::DestroyWnd() {
    // A window takes its menu bar with it, and the menu bar is the menu's.
    ::SetMenu(Handle(), nullptr);
    if (menu_ != nullptr) {
        menu_->window_ = nullptr;
    }
    TWinControl::DestroyWnd();
}

void TForm::update_window_style() {
    if (!HandleAllocated()) {
        return;
    }
    TCreateParams params;
    CreateParams(params);
    HWND window = Handle();
    const auto kept =
        static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(params.style | kept));
    SetWindowLongPtrW(window, GWL_EXSTYLE, static_cast<LONG_PTR>(params.ex_style & ~static_cast<DWORD>(WS_EX_TOPMOST)));
    SetWindowPos(window, form_style_ == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // The outer size stays, so the client area changed under the children.
    AlignControls();
    Resize();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    if (style != border_style_) {
        border_style_ = style;
        update_window_style();
    }
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    if (icons != border_icons_) {
        border_icons_ = icons;
        update_window_style();
    }
}

void TForm::SetFormStyle(TFormStyle style) {
    if (style != form_style_) {
        form_style_ = style;
        update_window_style();
    }
}

TWindowState TForm::WindowState() const {
    HWND window = WindowIfAllocated();
    if (window == nullptr) {
        return window_state_;
    }
    if (IsIconic(window)) {
        return wsMinimized;
    }
    return IsZoomed(window) ? wsMaximized : wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
    window_state_ = state;
    if (HandleAllocated() && Visible()) {
        constexpr int kShow[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
        ShowWindow(Handle(), kShow[state]);
    }
}

void TForm::SetClientSize(int width, int height) {
    const RECT client = ClientRect();
    SetBounds(Left(), Top(), width + Width() - client.right, height + Height() - client.bottom);
}

void TForm::ConstrainSize(int& width, int& height) {
    TWinControl::ConstrainSize(width, height);
    constraints_.Apply(width, height);
}

void TForm::VisibleChanged() {
    if (Visible()) {
        show_window();
    } else if (HandleAllocated()) {
        ShowWindow(Handle(), SW_HIDE);
        if (OnHide) {
            OnHide(this);
        }
    }
}

void TForm::show_window() {
    HandleNeeded();
    place_on_first_show();
    constexpr int kShow[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), kShow[window_state_]);
    if (OnShow) {
        OnShow(this);
    }
}

void TForm::place_on_first_show() {
    if (shown_once_) {
        return;
    }
    shown_once_ = true;
    if (Position != poDesigned) {
        SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2,
                  Width(), Height());
    }
}

TModalResult TForm::ShowModal() {
    if (Visible() || modal_) {
        throw std::logic_error("Cannot make a visible window modal");
    }
    if (GetCapture() != nullptr) {
        ReleaseCapture();
    }
    HandleNeeded();
    struct ModalState {
        TForm& form;
        TaskWindowsDisabled disabled;
        ~ModalState() {
            disabled.restore();  // before hiding, so that activation goes back to the window before
            form.SetVisible(false);
            form.modal_ = false;
        }
    } state{*this, TaskWindowsDisabled(Handle())};
    modal_ = true;
    modal_result_ = mrNone;
    SetVisible(true);
    do {
        Application().HandleMessage();
        if (Application().Terminated()) {
            modal_result_ = mrCancel;
        } else if (modal_result_ != mrNone) {
            close_modal();
        }
    } while (modal_result_ == mrNone);
    return modal_result_;
}

void TForm::close_modal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        if (OnClose) {
            OnClose(this, action);
        }
    }
    if (action == caNone) {
        modal_result_ = mrNone;
    }
}

void TForm::Close() {
    if (modal_) {
        modal_result_ = mrCancel;
        return;
    }
    if (!CloseQuery()) {
        return;
    }
    const bool main = Application().MainForm() == this;
    TCloseAction action = main ? caFree : caHide;
    if (OnClose) {
        OnClose(this, action);
    }
    if (action == caNone) {
        return;
    }
    if (main) {
        Application().Terminate();
        return;
    }
    switch (action) {
        case caHide:
            Hide();
            break;
        case caMinimize:
            SetWindowState(wsMinimized);
            break;
        default:
            Release();
            break;
    }
}

bool TForm::CloseQuery() {
    bool can_close = true;
    if (OnCloseQuery) {
        OnCloseQuery(this, can_close);
    }
    return can_close;
}

void TForm::Release() {
    PostMessageW(Handle(), kReleaseMessage, 0, 0);
}

void TForm::SetActiveControl(TWinControl* control) {
    active_control_ = control;
    if (control != nullptr && HandleAllocated() && GetActiveWindow() == Handle() && control->CanFocus()) {
        control->SetFocus();
    }
}

void TForm::ControlFocused(TWinControl* control) {
    active_control_ = control;
    FocusChanged(control);
}

void TForm::ControlRemoved(TControl* control) {
    if (control == active_control_) {
        active_control_ = nullptr;
    }
}

void TForm::SetMenu(TMainMenu* menu) {
    if (menu != menu_) {
        if (menu_ != nullptr) {
            menu_->window_ = nullptr;
        }
        menu_ = menu;
        show_menu();
    }
}

void TForm::show_menu() {
    if (HandleAllocated()) {
        ::SetMenu(Handle(), menu_ != nullptr ? menu_->Handle() : nullptr);
        DrawMenuBar(Handle());
    }
    if (menu_ != nullptr) {
        menu_->window_ = WindowIfAllocated();
    }
}

void TForm::SelectNext(TWinControl* current, bool forward, bool check_tab_stop) {
    std::vector<TWinControl*> order;
    collect_tab_controls(*this, order);
    if (!forward) {
        std::reverse(order.begin(), order.end());
    }
    const auto start = std::find(order.begin(), order.end(), current);
    const std::size_t first = start == order.end() ? 0 : static_cast<std::size_t>(start - order.begin()) + 1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        TWinControl* candidate = order[(first + i) % order.size()];
        if (candidate->CanFocus() && (candidate->TabStop || !check_tab_stop)) {
            candidate->SetFocus();
            return;
        }
    }
}

void TForm::SelectFirst() {
    SelectNext(nullptr, true, true);
}

bool TForm::DialogKey(WORD key, TShiftState shift) {
    switch (key) {
        case VK_TAB:
            if ((shift & (ssCtrl | ssAlt)) == 0) {
                SelectNext(active_control_, (shift & ssShift) == 0, true);
                return true;
            }
            break;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (active_control_ != nullptr) {
                SelectNext(active_control_, key == VK_RIGHT || key == VK_DOWN, false);
                return true;
            }
            break;
        default:
            break;
    }
    return TWinControl::DialogKey(key, shift);
}

LRESULT TForm::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (menu_ != nullptr) {
        if (auto answered = menu_owner_message(message, wparam, lparam)) {
            return *answered;
        }
    }
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_GETMINMAXINFO: {
            const LRESULT result = TWinControl::handle_message(message, wparam, lparam);
            auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
            if (constraints_.MinWidth() > 0) {
                info->ptMinTrackSize.x = constraints_.MinWidth();
            }
            if (constraints_.MinHeight() > 0) {
                info->ptMinTrackSize.y = constraints_.MinHeight();
            }
            if (constraints_.MaxWidth() > 0) {
                info->ptMaxTrackSize.x = constraints_.MaxWidth();
                info->ptMaxSize.x = std::min(info->ptMaxSize.x, static_cast<LONG>(constraints_.MaxWidth()));
            }
            if (constraints_.MaxHeight() > 0) {
                info->ptMaxTrackSize.y = constraints_.MaxHeight();
                info->ptMaxSize.y = std::min(info->ptMaxSize.y, static_cast<LONG>(constraints_.MaxHeight()));
            }
            return result;
        }
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                if (OnDeactivate) {
                    OnDeactivate(this);
                }
                break;
            }
            if (HIWORD(wparam) == 0) {
                // Focus goes back to the control that had it, or to the first one.
                if (active_control_ != nullptr && active_control_->CanFocus()) {
                    active_control_->SetFocus();
                } else {
                    SelectFirst();
                    if (active_control_ == nullptr) {
                        ::SetFocus(Handle());
                    }
                }
            }
            if (OnActivate) {
                OnActivate(this);
            }
            return 0;
        case kReleaseMessage:
            delete this;
            return 0;
        default:
            break;
    }
    return TWinControl::handle_message(message, wparam, lparam);
}

}  // namespace vistrel
