#include "components/Zqtrayicon.h"

#include <algorithm>

#include "components/tray_rules.h"
#include "framework/form.h"

namespace vistrel {
namespace {

constexpr std::size_t kTipCapacity = 127;
constexpr UINT kShowSoonMessage = kTrayCallbackMessage + 1;

UINT next_icon_id() {
    static UINT id = 0;
    return ++id;
}

// Sent to every top-level window when the shell has (re)built the notification area.
UINT taskbar_created_message() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

HWND application_window() {
    return Application().Handle();
}

// The window of the form that was active last, so that a menu opened from the tray closes on a click elsewhere.
HWND active_form_window() {
    HWND popup = GetLastActivePopup(application_window());
    if (popup != application_window() && dynamic_cast<TForm*>(TWinControl::FromHandle(popup)) != nullptr) {
        return popup;
    }
    TForm* main_form = Application().MainForm();
    return main_form != nullptr && main_form->HandleAllocated() ? main_form->Handle() : nullptr;
}

}  // namespace

TzqTrayIcon::TzqTrayIcon(TComponent* owner) : TComponent(owner), animate_timer_(std::make_unique<TTimer>(nullptr)) {
    animate_timer_->SetEnabled(false);
    animate_timer_->SetInterval(1000);
    animate_timer_->OnTimer = [this](TObject* sender) { DoOnAnimate(sender); };
    window_ = std::make_unique<UtilityWindow>(
        [this](UINT message, WPARAM wparam, LPARAM lparam) { return DoMessage(message, wparam, lparam); });
    copy_icon(Application().Icon());
    data_.cbSize = sizeof(data_);
    data_.hWnd = window_->handle();
    data_.uID = next_icon_id();
    data_.uFlags = NIF_MESSAGE | NIF_ICON;
    data_.uCallbackMessage = kTrayCallbackMessage;
    show_icon();
}

TzqTrayIcon::~TzqTrayIcon() {
    set_visible(false);
    window_.reset();
    animate_timer_.reset();
    setOnTaskList(true);
}

void TzqTrayIcon::notify_shell(DWORD action) {
    Shell_NotifyIconW(action, &data_);  // the shell's answer changes nothing here
}

void TzqTrayIcon::SetVisible(bool visible) {
    set_visible(visible);
}

void TzqTrayIcon::ShowSoon() {
    if (visible_) {
        return;
    }
    shell_add_pending_ = true;
    set_visible(true);
    PostMessageW(window_->handle(), kShowSoonMessage, 0, 0);
}

void TzqTrayIcon::set_visible(bool visible) {
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    if (visible) {
        if (!shell_add_pending_) {
            notify_shell(NIM_ADD);
        }
        hook_id_ = Application().HookMainWindow([this](TMessage& message) { return ApplicationHookProc(message); });
    } else {
        shell_add_pending_ = false;
        notify_shell(NIM_DELETE);
        Application().UnhookMainWindow(hook_id_);
        hook_id_ = 0;
    }
}

void TzqTrayIcon::SetHint(const std::wstring& hint) {
    if (hint == hint_ || !tray_hint_fits(hint)) {
        return;
    }
    hint_ = hint;
    const std::size_t length = std::min(hint.size(), kTipCapacity);
    std::fill(std::begin(data_.szTip), std::end(data_.szTip), L'\0');
    std::copy_n(hint.begin(), length, data_.szTip);
    if (hint.empty()) {
        data_.uFlags &= ~static_cast<UINT>(NIF_TIP);
    } else {
        data_.uFlags |= NIF_TIP;
    }
    Update();
}

void TzqTrayIcon::Update() {
    show_icon();
}

void TzqTrayIcon::show_icon() {
    data_.hIcon = icon_.Handle();
    if (visible_ && !shell_add_pending_) {
        notify_shell(NIM_MODIFY);
    }
}

void TzqTrayIcon::SetIconIndex(int index) {
    icon_index_ = index;
    // An index the list does not have keeps the icon that is shown.
    if (icons_ != nullptr) {
        icons_->GetIcon(index, icon_);
    }
    Update();
}

void TzqTrayIcon::SetIcon(const TIcon& icon) {
    copy_icon(icon);
    Update();
}

void TzqTrayIcon::copy_icon(const TIcon& icon) {
    icon_.SetHandle(icon.Handle() != nullptr ? CopyIcon(icon.Handle()) : nullptr);
}

void TzqTrayIcon::SetDefaultIcon() {
    SetIcon(Application().Icon());
}

void TzqTrayIcon::SetPopupMenu(TPopupMenu* menu) {
    popup_menu_ = menu;
}

void TzqTrayIcon::SetIcons(TImageList* icons) {
    icons_ = icons;
}

void TzqTrayIcon::SetAnimate(bool animate) {
    if (icons_ == nullptr) {
        return;
    }
    animate_ = animate;
    animate_timer_->SetEnabled(animate);
}

void TzqTrayIcon::DoOnAnimate(TObject*) {
    if (icons_ == nullptr) {
        return;
    }
    SetIconIndex(next_animation_index(icon_index_, icons_->Count()));
    Update();
}

void TzqTrayIcon::Minimize() {
    if (IsIconic(application_window())) {
        return;
    }
    Application().Minimize();
    ShowWindow(application_window(), SW_HIDE);  // takes the button off the task bar
    if (OnMinimize) {
        OnMinimize(this);
    }
}

void TzqTrayIcon::Restore() {
    if (!IsIconic(application_window())) {
        return;
    }
    Application().Restore();
    ShowWindow(application_window(), SW_RESTORE);
    SetForegroundWindow(application_window());
    if (OnRestore) {
        OnRestore(this);
    }
}

void TzqTrayIcon::ShowMenu() {
    if (popup_menu_ == nullptr) {
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT work_area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work_area, 0);
    cursor.y = tray_menu_top(cursor.y, work_area.bottom);
    if (HWND form = active_form_window()) {
        SetForegroundWindow(form);
    }
    popup_menu_->Popup(cursor.x, cursor.y);
}

bool TzqTrayIcon::ApplicationHookProc(TMessage& message) {
    if (message.Msg == WM_SYSCOMMAND) {
        if (message.WParam == SC_MINIMIZE) {
            Minimize();
        } else if (message.WParam == SC_RESTORE) {
            Restore();
        }
    }
    return false;  // the application window still handles the message itself
}

TShiftState TzqTrayIcon::ShiftState() {
    TShiftState state = 0;
    state |= GetKeyState(VK_SHIFT) < 0 ? ssShift : 0;
    state |= GetKeyState(VK_CONTROL) < 0 ? ssCtrl : 0;
    state |= GetKeyState(VK_MENU) < 0 ? ssAlt : 0;
    return state;
}

void TzqTrayIcon::setOnTaskBar(bool value) {
    if (value == on_task_bar_) {
        return;
    }
    on_task_bar_ = value;
    SetWindowLongPtrW(application_window(), GWL_EXSTYLE, value ? WS_EX_WINDOWEDGE : WS_EX_TOOLWINDOW);
}

void TzqTrayIcon::setOnTaskList(bool value) {
    if (value == on_task_list_) {
        return;
    }
    if (!kernel32_) {
        kernel32_.reset(LoadLibraryW(L"kernel32.dll"));
        register_service_process_ = kernel32_ ? GetProcAddress(kernel32_.get(), "RegisterServiceProcess") : nullptr;
    }
    // Only old systems have the entry point; elsewhere the property keeps its value.
    if (register_service_process_ == nullptr) {
        return;
    }
    using RegisterServiceProcessProc = DWORD(WINAPI*)(DWORD, DWORD);
    const auto register_service_process =
        reinterpret_cast<RegisterServiceProcessProc>(reinterpret_cast<void (*)()>(register_service_process_));
    register_service_process(GetCurrentProcessId(), value ? 0 : 1);
    on_task_list_ = value;
}

void TzqTrayIcon::Loaded() {
    TComponent::Loaded();
    if (icons_ != nullptr) {
        animate_timer_->SetEnabled(animate_);
        SetIconIndex(icon_index_);
    } else {
        animate_ = false;
        SetDefaultIcon();
    }
    Update();
}

void TzqTrayIcon::stop_animation() {
    animate_ = false;
    animate_timer_->SetEnabled(false);
}

LRESULT TzqTrayIcon::DoMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_QUERYENDSESSION:
            return 1;
        case WM_ENDSESSION:
            // wParam FALSE: another program cancelled the log-off, and the session goes on with its icon.
            if (wparam != FALSE) {
                SetVisible(false);
            }
            return 0;
        case kTrayCallbackMessage:
            icon_callback(LOWORD(lparam));
            return 0;
        case kShowSoonMessage:
            if (shell_add_pending_) {
                shell_add_pending_ = false;
                notify_shell(NIM_ADD);
            }
            return 0;
        default:
            break;
    }
    // A restarted shell has forgotten the icon: a visible one goes back in.
    if (message == taskbar_created_message() && visible_) {
        notify_shell(NIM_ADD);
        return 0;
    }
    return DefWindowProcW(window_->handle(), message, wparam, lparam);
}

void TzqTrayIcon::icon_callback(UINT mouse_message) {
    switch (mouse_message) {
        case WM_MOUSEMOVE:
            if (OnMouseMove) {
                POINT pos{};
                GetCursorPos(&pos);
                OnMouseMove(this, ShiftState(), pos.x, pos.y);
            }
            break;
        case WM_LBUTTONDOWN:
            mouse_down(mbLeft, ssLeft);
            break;
        case WM_LBUTTONUP:
            if (OnClick) {
                OnClick(this);
            }
            mouse_up(mbLeft, ssLeft);
            break;
        case WM_LBUTTONDBLCLK:
            if (restore_on_dblclick_) {
                if (IsIconic(application_window())) {
                    PostMessageW(application_window(), WM_SYSCOMMAND, SC_RESTORE, 0);  // the hook runs Restore
                } else {
                    Application().BringToFront();
                }
            }
            double_click();
            break;
        case WM_RBUTTONDOWN:
            mouse_down(mbRight, ssRight);
            break;
        case WM_RBUTTONUP:
            mouse_up(mbRight, ssRight);
            if (popup_menu_ != nullptr) {
                ShowMenu();
            }
            break;
        case WM_MBUTTONDOWN:
            mouse_down(mbMiddle, ssMiddle);
            break;
        case WM_MBUTTONUP:
            mouse_up(mbMiddle, ssMiddle);
            break;
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            double_click();
            break;
        default:
            break;
    }
}

void TzqTrayIcon::mouse_down(TMouseButton button, TShiftState button_state) {
    if (OnMouseDown) {
        POINT pos{};
        GetCursorPos(&pos);
        OnMouseDown(this, button, ShiftState() | button_state, pos.x, pos.y);
    }
}

void TzqTrayIcon::mouse_up(TMouseButton button, TShiftState button_state) {
    if (OnMouseUp) {
        POINT pos{};
        GetCursorPos(&pos);
        OnMouseUp(this, button, ShiftState() | button_state, pos.x, pos.y);
    }
}

void TzqTrayIcon::double_click() {
    if (OnDblClick) {
        OnDblClick(this);
    }
}

}  // namespace vistrel
