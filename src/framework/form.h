#pragma once

#include <functional>
#include <memory>

#include "framework/icon.h"
#include "framework/menu.h"
#include "framework/win_control.h"

namespace vistrel {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

using TBorderIcons = unsigned;
inline constexpr TBorderIcons biSystemMenu = 1;
inline constexpr TBorderIcons biMinimize = 2;
inline constexpr TBorderIcons biMaximize = 4;

enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poScreenCenter, poDesktopCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = IDOK;
inline constexpr TModalResult mrCancel = IDCANCEL;

using TCloseQueryEvent = std::function<void(TObject* sender, bool& can_close)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

/// Size limits of a form (0 for none). Changing one makes the form keep to it at once.
class TSizeConstraints {
public:
    int MinWidth() const { return min_width_; }
    int MinHeight() const { return min_height_; }
    int MaxWidth() const { return max_width_; }
    int MaxHeight() const { return max_height_; }
    void SetMinWidth(int value) { set(min_width_, value); }
    void SetMinHeight(int value) { set(min_height_, value); }
    void SetMaxWidth(int value) { set(max_width_, value); }
    void SetMaxHeight(int value) { set(max_height_, value); }
    void Apply(int& width, int& height) const;

    std::function<void()> OnChange;

private:
    void set(int& field, int value);

    int min_width_ = 0;
    int min_height_ = 0;
    int max_width_ = 0;
    int max_height_ = 0;
};

/// A top-level window owned by the application window, shown modeless or modal.
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    /// Reads the form's stored description: `description` makes the form's components with their stored values
    /// (`new TThing(this)`, then its properties), after which Loaded() runs once on every component the form
    /// owns, in creation order. A form has one description: a second one is an error.
    void ReadDescription(const std::function<void()>& description);

    TFormBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return border_icons_; }
    void SetBorderIcons(TBorderIcons icons);
    TFormStyle FormStyle() const { return form_style_; }
    void SetFormStyle(TFormStyle style);
    TPosition Position = poDesigned;
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    TSizeConstraints& Constraints() { return constraints_; }
    TIcon& Icon() { return icon_; }
    void SetClientSize(int width, int height);

    TModalResult ModalResult() const { return modal_result_; }
    void SetModalResult(TModalResult result) { modal_result_ = result; }
    bool Modal() const { return modal_; }
    /// Shows the form and runs the message loop until its modal result is set; returns that result.
    TModalResult ShowModal();
    /// The form's normal close: a modal form ends with Cancel; otherwise the close query, then OnClose.
    void Close();
    virtual bool CloseQuery();
    /// Frees the form from the message loop, once the handler that asks for it has returned.
    void Release();

    TWinControl* ActiveControl() const { return active_control_; }
    void SetActiveControl(TWinControl* control);
    /// Focuses the next (or previous) control of the tab order after `current`.
    void SelectNext(TWinControl* current, bool forward, bool check_tab_stop);
    void SelectFirst();

    bool DialogKey(WORD key, TShiftState shift) override;

    /// The form's menu bar, not owned; while it has one, the form answers the menu's messages.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);

    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void ControlFocused(TWinControl* control) override;
    /// A control that left the form can no longer be its active control.
    void ControlRemoved(TControl* control) override;
    TForm* as_form() override { return this; }
    void VisibleChanged() override;
    void ConstrainSize(int& width, int& height) override;
    /// Re-applies the style of the border, icons and stay-on-top to an existing window.
    void update_window_style();

private:
    void show_window();
    void close_modal();
    void place_on_first_show();
    void show_menu();

    TFormBorderStyle border_style_ = bsSizeable;
    TBorderIcons border_icons_ = biSystemMenu | biMinimize | biMaximize;
    TFormStyle form_style_ = fsNormal;
    TWindowState window_state_ = wsNormal;
    TSizeConstraints constraints_;
    TIcon icon_;
    TModalResult modal_result_ = mrNone;
    bool modal_ = false;
    bool shown_once_ = false;
    bool described_ = false;
    TWinControl* active_control_ = nullptr;  // not owned
    ComponentRef<TMainMenu> menu_{[this] { show_menu(); }};
};

}  // namespace vistrel
