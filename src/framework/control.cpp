#include "framework/control.h"

#include "framework/win_control.h"

namespace vistrel {

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this](TObject*) {
        if (!adopting_font_) {
            parent_font_ = false;
        }
        FontChanged();
    };
}

TControl::~TControl() {
    if (parent_ != nullptr) {
        parent_->remove_control(*this);
    }
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) {
        return;
    }
    if (parent_ != nullptr) {
        parent_->remove_control(*this);
    }
    parent_ = parent;
    if (parent_ != nullptr) {
        parent_->insert_control(*this);
        parent_changed();
        remember_anchor_rules();
        if (align_ != alNone) {
            parent_->AlignControls();
        }
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    ConstrainSize(width, height);
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    store_bounds(left, top, width, height);
}

void TControl::store_bounds(int left, int top, int width, int height) {
    const bool resized = width != width_ || height != height_;
    if (left == left_ && top == top_ && !resized) {
        return;
    }
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (!anchoring_) {
        remember_anchor_rules();
    }
    BoundsChanged(resized);
    if (parent_ != nullptr && align_ != alNone && !anchoring_) {
        parent_->AlignControls();
    }
}

void TControl::BoundsChanged(bool resized) {
    Invalidate();
    if (resized) {
        Resize();
    }
}

void TControl::ConstrainSize(int& width, int& height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
}

void TControl::set_bounds_from_anchors(int left, int top, int width, int height) {
    anchoring_ = true;
    SetBounds(left, top, width, height);
    anchoring_ = false;
}

void TControl::remember_anchor_rules() {
    if (parent_ != nullptr) {
        anchor_bounds_ = BoundsRect();
        const RECT client = parent_->ClientRect();
        anchor_parent_ = {client.right, client.bottom};
    }
}

void TControl::SetVisible(bool visible) {
    if (visible != visible_) {
        if (!visible) {
            Invalidate();
        }
        visible_ = visible;
        VisibleChanged();
    }
}

void TControl::VisibleChanged() {
    Invalidate();
    if (parent_ != nullptr && align_ != alNone) {
        parent_->AlignControls();
    }
}

void TControl::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        EnabledChanged();
    }
}

void TControl::EnabledChanged() {
    Invalidate();
}

void TControl::SetCaption(const std::wstring& caption) {
    if (caption != Caption()) {
        caption_ = caption;
        TextChanged();
    }
}

void TControl::TextChanged() {
    Invalidate();
}

void TControl::SetParentFont(bool parent_font) {
    if (parent_font != parent_font_) {
        parent_font_ = parent_font;
        parent_changed();
    }
}

void TControl::FontChanged() {
    Invalidate();
}

void TControl::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        parent_color_ = false;
        ColorChanged();
    }
}

void TControl::SetParentColor(bool parent_color) {
    if (parent_color != parent_color_) {
        parent_color_ = parent_color;
        parent_changed();
    }
}

void TControl::ColorChanged() {
    Invalidate();
}

void TControl::parent_changed() {
    if (parent_ == nullptr) {
        return;
    }
    if (parent_font_) {
        adopting_font_ = true;
        font_.Assign(parent_->Font());
        adopting_font_ = false;
    }
    if (parent_color_ && color_ != parent_->Color()) {
        color_ = parent_->Color();
        ColorChanged();
    }
}

void TControl::SetAlign(TAlign align) {
    if (align != align_) {
        align_ = align;
        if (parent_ != nullptr) {
            parent_->AlignControls();
        }
    }
}

void TControl::SetAnchors(TAnchors anchors) {
    if (anchors != anchors_) {
        anchors_ = anchors;
        remember_anchor_rules();
    }
}

void TControl::SetCursor(TCursor cursor) {
    if (cursor == cursor_) {
        return;
    }
    cursor_ = cursor;
    // Under the mouse the new cursor shows at once, not at the next move.
    POINT p{};
    GetCursorPos(&p);
    if (parent_ != nullptr && parent_->HandleAllocated() && WindowFromPoint(p) == parent_->Handle() &&
        parent_->mouse_control_ == this) {
        ::SetCursor(cursor_handle(cursor_));
    }
}

void TControl::Invalidate() {
    if (parent_ != nullptr && parent_->HandleAllocated()) {
        const RECT r = BoundsRect();
        InvalidateRect(parent_->Handle(), &r, FALSE);
    }
}

void TControl::Update() {
    if (parent_ != nullptr && parent_->HandleAllocated()) {
        UpdateWindow(parent_->Handle());
    }
}

POINT TControl::ClientToScreen(POINT point) const {
    if (parent_ == nullptr) {
        return point;
    }
    return parent_->ClientToScreen({point.x + left_, point.y + top_});
}

POINT TControl::ScreenToClient(POINT point) const {
    if (parent_ == nullptr) {
        return point;
    }
    const POINT p = parent_->ScreenToClient(point);
    return {p.x - left_, p.y - top_};
}

TForm* TControl::GetParentForm() {
    TControl* c = this;
    while (c->parent_ != nullptr) {
        c = c->parent_;
    }
    return c->as_form();
}

bool TControl::ContainsPoint(POINT point) const {
    return point.x >= 0 && point.y >= 0 && point.x < width_ && point.y < height_;
}

void TControl::mouse_message(UINT message, TShiftState shift, int x, int y) {
    switch (message) {
        case WM_MOUSEMOVE:
            MouseMove(shift, x, y);
            break;
        case WM_LBUTTONDOWN:
            clicked_ = ClickEvents();
            MouseDown(mbLeft, shift, x, y);
            break;
        case WM_RBUTTONDOWN:
            MouseDown(mbRight, shift, x, y);
            break;
        case WM_MBUTTONDOWN:
            MouseDown(mbMiddle, shift, x, y);
            break;
        case WM_LBUTTONUP:
            if (clicked_) {
                clicked_ = false;
                if (ContainsPoint({x, y})) {
                    Click();
                }
            }
            MouseUp(mbLeft, shift, x, y);
            break;
        case WM_RBUTTONUP:
            MouseUp(mbRight, shift, x, y);
            break;
        case WM_MBUTTONUP:
            MouseUp(mbMiddle, shift, x, y);
            break;
        case WM_LBUTTONDBLCLK:
            DoubleClickMessage(shift, x, y);
            break;
        case WM_RBUTTONDBLCLK:
            MouseDown(mbRight, shift | ssDouble, x, y);
            break;
        case WM_MBUTTONDBLCLK:
            MouseDown(mbMiddle, shift | ssDouble, x, y);
            break;
        default:
            break;
    }
}

void TControl::DoubleClickMessage(TShiftState shift, int x, int y) {
    if (ClickEvents()) {
        DblClick();
    }
    MouseDown(mbLeft, shift | ssDouble, x, y);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) {
        OnMouseDown(this, button, shift, x, y);
    }
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) {
        OnMouseMove(this, shift, x, y);
    }
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) {
        OnMouseUp(this, button, shift, x, y);
    }
}

void TControl::Click() {
    if (OnClick) {
        OnClick(this);
    }
}

void TControl::DblClick() {
    if (OnDblClick) {
        OnDblClick(this);
    }
}

void TControl::MouseEnter() {
    if (OnMouseEnter) {
        OnMouseEnter(this);
    }
}

void TControl::MouseLeave() {
    if (OnMouseLeave) {
        OnMouseLeave(this);
    }
}

bool TControl::WantsMouseLeave() const {
    return (ShowHint && !Hint.empty()) || OnMouseEnter || OnMouseLeave;
}

void TControl::Resize() {
    if (OnResize) {
        OnResize(this);
    }
}

}  // namespace vistrel
