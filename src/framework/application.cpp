#include "framework/application.h"

#include <algorithm>
#include <stdexcept>

#include "framework/control.h"
#include "framework/form.h"
#include "win32/wide_text.h"

namespace vistrel {
namespace {

constexpr UINT_PTR kHintTimer = 1;

}  // namespace

TApplication& Application() {
    static TApplication application;
    return application;
}

TApplication::TApplication() : TComponent(nullptr) {
    icon_.LoadFromResourceName(GetModuleHandleW(nullptr), L"MAINICON");
    // A window of no size: it stands for the program in the task bar and owns every form.
    TCreateParams params;
    params.class_name = L"VistrelApplication";
    params.style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    params.x = GetSystemMetrics(SM_CXSCREEN) / 2;
    params.y = GetSystemMetrics(SM_CYSCREEN) / 2;
    create_window(params);
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Handle()));
}

TApplication::~TApplication() = default;

std::wstring TApplication::Title() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(Handle())) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size()))));
    return text;
}

void TApplication::SetTitle(const std::wstring& title) {
    SetWindowTextW(Handle(), title.c_str());
}

void TApplication::SetIcon(const TIcon& icon) {
    auto copy = icon.Clone();
    icon_.SetHandle(CopyIcon(static_cast<TIcon&>(*copy).Handle()));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Handle()));
}

void TApplication::SetMainForm(TForm* form) {
    main_form_ = form;
}

void TApplication::Run() {
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    if (main_form_ != nullptr) {
        main_form_->Show();
    }
    while (!terminated_) {
        HandleMessage();
    }
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
    while (process_message()) {
    }
}

void TApplication::HandleMessage() {
    if (!process_message()) {
        WaitMessage();
    }
}

bool TApplication::process_message() {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (!is_key_message(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

bool TApplication::is_key_message(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) {
        return false;
    }
    // The key goes to the nearest control of ours at or above the focused window.
    for (HWND window = message.hwnd; window != nullptr; window = GetParent(window)) {
        if (TWinControl* control = TWinControl::FromHandle(window)) {
            try {
                return control->PreviewKeyDown(message);
            } catch (...) {
                Application().HandleException();
                return true;
            }
        }
    }
    return false;
}

void TApplication::Minimize() {
    if (IsIconic(Handle())) {
        return;
    }
    ShowOwnedPopups(Handle(), FALSE);
    ShowWindow(Handle(), SW_MINIMIZE);
    if (OnMinimize) {
        OnMinimize(this);
    }
}

void TApplication::Restore() {
    if (!IsIconic(Handle())) {
        return;
    }
    ShowWindow(Handle(), SW_RESTORE);
    ShowOwnedPopups(Handle(), TRUE);
    BringToFront();
    if (OnRestore) {
        OnRestore(this);
    }
}

void TApplication::BringToFront() {
    HWND front = last_active_form();
    SetForegroundWindow(front != nullptr ? front : Handle());
}

HWND TApplication::last_active_form() const {
    HWND front = GetLastActivePopup(Handle());
    if (front == Handle() && main_form_ != nullptr && main_form_->HandleAllocated()) {
        front = main_form_->Handle();
    }
    return front != Handle() && IsWindowVisible(front) && IsWindowEnabled(front) ? front : nullptr;
}

void TApplication::HintMouseMessage(TControl* control, TControl* previous) {
    // Leaving one window may be reported after entering the next: only the control left loses its hint.
    if (control == hint_control_ || (control == nullptr && previous != hint_control_)) {
        return;
    }
    CancelHint();
    if (control != nullptr && control->ShowHint && !control->Hint.empty()) {
        hint_control_ = control;
        SetTimer(Handle(), kHintTimer, HintPause, nullptr);
    }
}

void TApplication::CancelHint() {
    KillTimer(Handle(), kHintTimer);
    hint_window_.ReleaseHandle();
    hint_control_ = nullptr;
}

void TApplication::show_hint() {
    KillTimer(Handle(), kHintTimer);
    if (hint_control_ == nullptr) {
        return;
    }
    POINT at{};
    GetCursorPos(&at);
    hint_window_.ActivateHint({at.x, at.y + 20}, hint_control_->Hint);
}

int TApplication::HookMainWindow(TWindowHook hook) {
    hooks_.push_back({next_hook_id_, std::move(hook)});
    return next_hook_id_++;
}

void TApplication::UnhookMainWindow(int id) {
    std::erase_if(hooks_, [id](const Hook& h) { return h.id == id; });
}

void TApplication::HandleException() {
    const std::exception_ptr error = std::current_exception();
    if (OnException) {
        OnException(error);
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowException(std::runtime_error("Unknown error"));
    }
}

void TApplication::ShowException(const std::exception& error) {
    MessageBoxW(Handle(), to_wide(error.what()).c_str(), Title().c_str(), MB_OK | MB_ICONSTOP);
}

LRESULT TApplication::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    TMessage m{message, wparam, lparam, 0};
    // A hook may remove itself (or another) while it runs: walk the ids as they were.
    std::vector<int> ids;
    for (const Hook& h : hooks_) {
        ids.push_back(h.id);
    }
    for (const int id : ids) {
        const auto it = std::find_if(hooks_.begin(), hooks_.end(), [id](const Hook& h) { return h.id == id; });
        if (it != hooks_.end() && TWindowHook(it->hook)(m)) {
            return m.Result;
        }
    }
    switch (message) {
        case WM_SYSCOMMAND:
            switch (wparam & 0xFFF0) {
                case SC_MINIMIZE:
                    Minimize();
                    return 0;
                case SC_RESTORE:
                    Restore();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_ACTIVATEAPP:
            active_ = wparam != 0;
            if (active_ ? static_cast<bool>(OnActivate) : static_cast<bool>(OnDeactivate)) {
                (active_ ? OnActivate : OnDeactivate)(this);
            }
            break;
        case WM_CLOSE:
            if (main_form_ != nullptr) {
                main_form_->Close();
            }
            return 0;
        case WM_QUERYENDSESSION:
            return 1;
        case WM_SETFOCUS:
            // The application window only stands for the program: the keyboard goes to the form active last.
            if (HWND form = last_active_form(); form != nullptr) {
                SetFocus(form);
                return 0;
            }
            break;
        case WM_TIMER:
            if (wparam == kHintTimer) {
                show_hint();
                return 0;
            }
            break;
        default:
            break;
    }
    return DefaultHandler(message, wparam, lparam);
}

}  // namespace vistrel
