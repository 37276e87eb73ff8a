#pragma once

#include "framework/graphic_control.h"
#include "framework/picture.h"

namespace vistrel {

/// A picture painted on the parent: at its size (centred or at the corner) or stretched.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);

    TPicture& Picture() { return picture_; }
    void SetPicture(const TPicture& picture) { picture_.Assign(picture); }
    bool Center() const { return center_; }
    void SetCenter(bool center);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    /// Where the picture lands in the client area.
    RECT DestRect() const;

protected:
    void Paint() override;

private:
    void picture_changed();

    TPicture picture_;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
};

}  // namespace vistrel
