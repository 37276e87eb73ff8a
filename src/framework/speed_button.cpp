#include "framework/speed_button.h"

namespace vistrel {

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    SetParentColor(true);
    SetBounds(0, 0, 23, 22);
    glyph_.SetTransparent(true);
    glyph_.OnChange = [this](TObject*) { Invalidate(); };
}

void TSpeedButton::SetGlyph(const TBitmap& glyph) {
    auto copy = glyph.Clone();
    glyph_.SetHandle(static_cast<TBitmap&>(*copy).ReleaseHandle());
}

void TSpeedButton::SetFlat(bool flat) {
    if (flat != flat_) {
        flat_ = flat;
        Invalidate();
    }
}

void TSpeedButton::SetTransparent(bool transparent) {
    if (transparent != transparent_) {
        transparent_ = transparent;
        Invalidate();
    }
}

void TSpeedButton::set_state(bool pressed, bool hot) {
    if (pressed != pressed_ || hot != hot_) {
        pressed_ = pressed;
        hot_ = hot;
        Invalidate();
    }
}

void TSpeedButton::MouseEnter() {
    if (Enabled()) {
        set_state(pressed_ || tracking_, true);
    }
    TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
    set_state(false, false);
    TGraphicControl::MouseLeave();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && Enabled()) {
        tracking_ = true;
        set_state(true, true);
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    if (tracking_) {
        const bool inside = ContainsPoint({x, y});
        set_state(inside, inside);
    }
    TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        tracking_ = false;
        set_state(false, ContainsPoint({x, y}));
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::Paint() {
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    if (!transparent_) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(r);
    }
    if (!flat_) {
        DrawFrameControl(canvas.Handle(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0U));
    } else if (pressed_ || hot_) {
        DrawEdge(canvas.Handle(), &r, pressed_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    if (!glyph_.Empty()) {
        const int shift = pressed_ ? 1 : 0;
        const int x = (Width() - glyph_.Width()) / 2 + shift;
        const int y = (Height() - glyph_.Height()) / 2 + shift;
        canvas.Draw(x, y, glyph_);
    }
    if (!Caption().empty()) {
        canvas.Font().Assign(Font());
        canvas.Brush().SetStyle(bsClear);
        RECT text = r;
        canvas.DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

}  // namespace vistrel
