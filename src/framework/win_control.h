#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/bound_window.h"
#include "framework/control.h"

namespace vistrel {

/// A control with a window of its own, made when first needed; parent of other controls.
class TWinControl : public TControl, public BoundWindow {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    HWND Handle();
    bool HandleAllocated() const { return hwnd() != nullptr; }
    /// The window if it exists already, else nullptr; never makes one.
    HWND WindowIfAllocated() const { return hwnd(); }
    void HandleNeeded() { Handle(); }
    /// The control bound to a window of ours, or nullptr.
    static TWinControl* FromHandle(HWND window);

    const std::vector<TControl*>& Controls() const { return controls_; }
    /// The visible control under a point of the client area, windowless ones first, topmost first.
    TControl* ControlAtPos(POINT point, bool allow_disabled) const;

    RECT ClientRect() const override;
    std::wstring Caption() const override;
    void Invalidate() override;
    POINT ClientToScreen(POINT point) const override;
    POINT ScreenToClient(POINT point) const override;
    void SetBounds(int left, int top, int width, int height) override;

    bool TabStop = false;
    int TabOrder() const;
    void SetTabOrder(int order);
    /// Windowed children in tab order.
    const std::vector<TWinControl*>& TabList() const { return tab_list_; }
    bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    /// Sends a message to this control's window procedure (making the window if needed).
    LRESULT Perform(UINT message, WPARAM wparam, LPARAM lparam);

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    /// A key that no control wants for itself went to the form: Tab, arrows, Enter, Escape.
    virtual bool DialogKey(WORD key, TShiftState shift);
    /// The keyboard focus moved to `focused`; every control of the form hears of it.
    virtual void FocusChanged(TWinControl* focused);
    /// Dialog-key handling of a WM_KEYDOWN taken from the message loop; true when it was used up.
    bool PreviewKeyDown(const MSG& message);

protected:
    virtual void CreateParams(TCreateParams& params);
    /// The window exists: set what it needs (font, texts) and make the children's windows.
    virtual void CreateWnd();
    /// The window is about to go: keep what must survive it.
    virtual void DestroyWnd();
    void DestroyHandle();
    /// This control's window procedure; unhandled messages go to DefaultHandler.
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    /// A notification the parent passes back to this control (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, ...).
    virtual std::optional<LRESULT> reflected_message(UINT message, WPARAM wparam, LPARAM lparam);
    /// Paints the background and the windowless children into a device context (our own classes only).
    virtual void PaintWindow(HDC dc, const RECT& update);
    void PaintControls(HDC dc, const RECT& update);
    /// Places the aligned and anchored children.
    virtual void AlignControls();
    /// The keyboard focus went to `control`, below this one; by default the parent hears of it.
    virtual void ControlFocused(TWinControl* control);
    /// `control` left this control or one below it; by default the parent hears of it.
    virtual void ControlRemoved(TControl* control);
    void BoundsChanged(bool resized) override;
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(wchar_t& key);
    void TextChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    bool ClickEvents() const override { return false; }
    /// A brush of the control's colour, for WM_CTLCOLOR*.
    HBRUSH color_brush();
    /// The window rectangle in the parent's client coordinates (or on the screen).
    RECT window_bounds() const;
    /// Bounds the window has now, read back after the system moved or sized it.
    void update_bounds_from_window();

private:
    friend class TControl;
    LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam);
    void create_handle();
    void insert_control(TControl& control);
    void remove_control(TControl& control);
    void route_mouse(UINT message, WPARAM wparam, LPARAM lparam);
    void set_mouse_control(TControl* control);
    void watch_mouse_leave(bool watch);
    bool set_cursor_for_client();
    std::optional<LRESULT> reflect(UINT message, WPARAM wparam, LPARAM lparam);
    void paint();

    std::vector<TControl*> controls_;      // not owned: every child, in painting order
    std::vector<TWinControl*> tab_list_;   // not owned
    TControl* mouse_control_ = nullptr;    // not owned: the control the mouse is over
    TControl* capture_control_ = nullptr;  // not owned: the windowless control holding the mouse
    bool tracking_leave_ = false;
    UniqueHbrush color_brush_;
};

}  // namespace vistrel
