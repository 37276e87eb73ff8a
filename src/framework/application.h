#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/bound_window.h"
#include "framework/component.h"
#include "framework/hint_window.h"
#include "framework/icon.h"

namespace vistrel {

class TForm;
class TControl;

/// A hook on the application window: sees each message first; returns true when it handled it.
using TWindowHook = std::function<bool(TMessage& message)>;

/// The application: the hidden application window (task-bar button, title, icon, minimise and restore),
/// the message loop and the standard error display.
class TApplication : public TComponent, public BoundWindow {
public:
    TApplication();
    ~TApplication() override;

    HWND Handle() const { return hwnd(); }
    std::wstring Title() const;
    void SetTitle(const std::wstring& title);
    /// The program icon ("MAINICON" from the resources until set otherwise).
    TIcon& Icon() { return icon_; }
    void SetIcon(const TIcon& icon);

    TForm* MainForm() const { return main_form_; }
    void SetMainForm(TForm* form);
    /// Shows the main form and runs the message loop until the application terminates.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    /// Handles every message waiting now.
    void ProcessMessages();
    /// Handles one message, waiting for one if none is there.
    void HandleMessage();

    void Minimize();
    void Restore();
    void BringToFront();
    bool Active() const { return active_; }

    /// The mouse went from `previous` over `control` (nullptr: over none of ours): its hint shows after a pause.
    void HintMouseMessage(TControl* control, TControl* previous);
    void CancelHint();
    THintWindow& HintWindow() { return hint_window_; }
    UINT HintPause = 500;

    /// Hooks the application window; returns an id for UnhookMainWindow.
    int HookMainWindow(TWindowHook hook);
    void UnhookMainWindow(int id);

    /// Reports the exception being handled: through OnException, else the standard error display.
    void HandleException();
    /// The standard error display: a message box with the error's message under the title.
    void ShowException(const std::exception& error);
    std::function<void(std::exception_ptr)> OnException;

    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    bool process_message();
    /// The visible form that was active last (the main form when none was), or null.
    HWND last_active_form() const;
    void show_hint();
    static bool is_key_message(const MSG& message);

    TIcon icon_;
    TForm* main_form_ = nullptr;  // not owned
    bool terminated_ = false;
    bool active_ = false;
    struct Hook {
        int id;
        TWindowHook hook;
    };
    std::vector<Hook> hooks_;
    int next_hook_id_ = 1;
    THintWindow hint_window_;
    TControl* hint_control_ = nullptr;  // not owned: the control whose hint is due or shown
};

/// The one application object, made on first use.
TApplication& Application();

}  // namespace vistrel
