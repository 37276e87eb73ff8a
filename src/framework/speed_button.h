#pragma once

#include "framework/bitmap.h"
#include "framework/graphic_control.h"

namespace vistrel {

/// A windowless button with a glyph; flat ones show an edge only while the mouse is over them.
class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);

    TBitmap& Glyph() { return glyph_; }
    /// Copies a bitmap in as the glyph (an empty one clears it).
    void SetGlyph(const TBitmap& glyph);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool Pressed() const { return pressed_; }
    bool Hot() const { return hot_; }

    void MouseEnter() override;
    void MouseLeave() override;
    bool WantsMouseLeave() const override { return flat_ || TGraphicControl::WantsMouseLeave(); }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void set_state(bool pressed, bool hot);

    TBitmap glyph_;
    bool flat_ = false;
    bool transparent_ = false;
    bool pressed_ = false;
    bool hot_ = false;
    bool tracking_ = false;
};

}  // namespace vistrel
