#pragma once

#include <algorithm>
#include <string>

#include "framework/canvas_tools.h"
#include "framework/component.h"

namespace vistrel {

class TWinControl;
class TForm;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

using TAnchors = unsigned;
inline constexpr TAnchors akLeft = 1;
inline constexpr TAnchors akTop = 2;
inline constexpr TAnchors akRight = 4;
inline constexpr TAnchors akBottom = 8;

/// A visual control: bounds in its parent's client area, caption, font, colour, mouse events.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect() const { return {0, 0, width_, height_}; }
    int ClientWidth() const { return ClientRect().right; }
    int ClientHeight() const { return ClientRect().bottom; }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    virtual std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    std::wstring Text() const { return Caption(); }
    void SetText(const std::wstring& text) { SetCaption(text); }

    TFont& Font() { return font_; }
    void SetFont(const TFont& font) { font_.Assign(font); }
    bool ParentFont() const { return parent_font_; }
    void SetParentFont(bool parent_font);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parent_color_; }
    void SetParentColor(bool parent_color);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    std::wstring Hint;
    bool ShowHint = false;

    virtual void Invalidate();
    /// Paints what is invalid now instead of at the next turn of the message loop.
    void Update();
    virtual POINT ClientToScreen(POINT point) const;
    virtual POINT ScreenToClient(POINT point) const;
    /// The form this control stands on (itself for a form), or null.
    TForm* GetParentForm();
    /// True when the point (in client coordinates) belongs to this control.
    bool ContainsPoint(POINT point) const;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnResize;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    /// Runs a mouse message (client coordinates of this control) through the control's handlers.
    virtual void mouse_message(UINT message, TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    /// Whether the control must hear that the mouse has left it: it has a hint to take down, a look that follows
    /// the mouse or a handler for it. Only then is leaving watched, since wine watches by polling the pointer.
    virtual bool WantsMouseLeave() const;
    virtual void Click();

protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DblClick();
    /// A left double-click: by default DblClick and a mouse-down with ssDouble.
    virtual void DoubleClickMessage(TShiftState shift, int x, int y);
    virtual void Resize();
    /// The caption changed (CaptionChanged).
    virtual void TextChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    /// Size limits a control applies to a requested size.
    virtual void ConstrainSize(int& width, int& height);
    /// Bounds were stored; the size changed when `resized`.
    virtual void BoundsChanged(bool resized);
    /// Whether a release of the left button inside the control raises Click.
    virtual bool ClickEvents() const { return true; }
    /// The parent's font or colour changed (or the parent did).
    void parent_changed();
    /// This control as a form, when it is one.
    virtual TForm* as_form() { return nullptr; }

    std::wstring caption_;

private:
    friend class TWinControl;
    void store_bounds(int left, int top, int width, int height);
    void set_bounds_from_anchors(int left, int top, int width, int height);
    void remember_anchor_rules();

    TWinControl* parent_ = nullptr;  // not owned
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TFont font_;
    bool parent_font_ = true;
    TColor color_ = clBtnFace;
    bool parent_color_ = false;
    TAlign align_ = alNone;
    TAnchors anchors_ = akLeft | akTop;
    TCursor cursor_ = crDefault;
    bool clicked_ = false;
    bool anchoring_ = false;
    bool adopting_font_ = false;
    // Bounds and parent client size when the control was last placed by hand; anchors keep to them.
    RECT anchor_bounds_{};
    SIZE anchor_parent_{};
};

}  // namespace vistrel
