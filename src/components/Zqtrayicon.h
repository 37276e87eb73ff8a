#pragma once

#include <windows.h>
// shellapi.h needs the types of windows.h
#include <shellapi.h>

#include <memory>
#include <string>

#include "framework/application.h"
#include "framework/component.h"
#include "framework/icon.h"
#include "framework/image_list.h"
#include "framework/menu.h"
#include "framework/timer.h"
#include "framework/utility_window.h"
#include "win32/unique_handle.h"

namespace vistrel {

/// Message the notification-area icon sends to the component's window.
inline constexpr UINT kTrayCallbackMessage = WM_USER + 7;

/// The program's icon in the notification area: mouse events, a popup menu on the right button, hiding the
/// application from the task bar while it is minimised, and an optional animation through an image list.
class TzqTrayIcon : public TComponent {
public:
    explicit TzqTrayIcon(TComponent* owner);
    ~TzqTrayIcon() override;

    bool OnTaskBar() const { return on_task_bar_; }
    void setOnTaskBar(bool value);
    bool OnTaskList() const { return on_task_list_; }
    void setOnTaskList(bool value);
    bool RestoreOnDBCLick() const { return restore_on_dblclick_; }
    void SetRestoreOnDBCLick(bool value) { restore_on_dblclick_ = value; }
    const std::wstring& Hint() const { return hint_; }
    /// A hint of 64 bytes or more (Chinese characters counting two) is refused and the old one stays.
    void SetHint(const std::wstring& hint);
    TPopupMenu* PopupMenu() const { return popup_menu_; }
    void SetPopupMenu(TPopupMenu* menu);
    TImageList* Icons() const { return icons_; }
    void SetIcons(TImageList* icons);
    int IconIndex() const { return icon_index_; }
    unsigned AnimateInterval() const { return animate_timer_->Interval(); }
    void SetAnimateInterval(unsigned interval) { animate_timer_->SetInterval(interval); }
    bool Animate() const { return animate_; }
    void SetAnimate(bool animate);
    /// The hidden window that receives the icon's messages.
    HWND Handle() const { return window_->handle(); }
    bool Visible() const { return visible_; }
    /// The icon shown and the record handed to the shell.
    const TIcon& Icon() const { return icon_; }
    const NOTIFYICONDATAW& IconData() const { return data_; }
    void SetIcon(const TIcon& icon);

    virtual void SetVisible(bool visible);
    /// Makes the icon visible at once (minimising goes to the tray from now on), but hands it to the shell only once
    /// the messages already waiting are handled, with whatever hint and picture it has then. The shell can take tens
    /// of milliseconds to answer while it starts, and a program starting up shows its window first.
    void ShowSoon();

protected:
    virtual LRESULT DoMessage(UINT message, WPARAM wparam, LPARAM lparam);
    virtual void DoOnAnimate(TObject* sender);

public:
    /// Minimises the application and takes its button off the task bar; nothing when already minimised.
    virtual void Minimize();
    /// Brings a minimised application back; nothing when it is not minimised.
    virtual void Restore();
    /// Hands the current icon to the shell.
    virtual void Update();
    /// Pops up the menu at the cursor, or from the bottom of the work area when the cursor is near it.
    virtual void ShowMenu();
    virtual void SetIconIndex(int index);
    /// Shows the application's icon.
    virtual void SetDefaultIcon();

    void Loaded() override;

    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnClick;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseEvent OnMouseDown;

private:
    bool ApplicationHookProc(TMessage& message);
    static TShiftState ShiftState();
    void icon_callback(UINT mouse_message);
    void mouse_down(TMouseButton button, TShiftState button_state);
    void mouse_up(TMouseButton button, TShiftState button_state);
    void double_click();
    // The work of SetVisible, SetIcon and Update, which the constructor and destructor call directly.
    void set_visible(bool visible);
    void copy_icon(const TIcon& icon);
    void show_icon();
    void notify_shell(DWORD action);
    void stop_animation();

    std::wstring hint_;
    int icon_index_ = 0;
    bool visible_ = false;
    bool shell_add_pending_ = false;
    bool animate_ = false;
    bool restore_on_dblclick_ = false;
    bool on_task_list_ = true;
    bool on_task_bar_ = true;
    UniqueHmodule kernel32_;
    FARPROC register_service_process_ = nullptr;
    NOTIFYICONDATAW data_{};
    TIcon icon_;
    // Without its image list the icon cannot animate.
    ComponentRef<TImageList> icons_{[this] { stop_animation(); }};
    ComponentRef<TPopupMenu> popup_menu_;
    std::unique_ptr<TTimer> animate_timer_;
    int hook_id_ = 0;
    std::unique_ptr<UtilityWindow> window_;
};

}  // namespace vistrel
