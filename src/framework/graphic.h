#pragma once

#include <memory>

#include "framework/framework_types.h"

namespace vistrel {

class TCanvas;

/// Something that can be drawn on a canvas: bitmaps, icons, the bitmap surface of the components.
class TGraphic : public TObject {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool transparent);
    /// Draws into `rect` of the canvas, stretched when its size differs from the graphic's.
    virtual void Draw(TCanvas& canvas, const RECT& rect) = 0;
    /// A copy of this graphic, for owners that keep their own (pictures are set by copying).
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    bool transparent_ = false;
};

}  // namespace vistrel
