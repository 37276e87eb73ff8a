#include "framework/image.h"

namespace vistrel {

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    picture_.OnChange = [this](TObject*) { picture_changed(); };
    SetBounds(0, 0, 105, 105);
}

void TImage::SetCenter(bool center) {
    if (center != center_) {
        center_ = center;
        Invalidate();
    }
}

void TImage::SetStretch(bool stretch) {
    if (stretch != stretch_) {
        stretch_ = stretch;
        Invalidate();
    }
}

void TImage::SetTransparent(bool transparent) {
    if (transparent != transparent_) {
        transparent_ = transparent;
        picture_changed();
    }
}

void TImage::picture_changed() {
    // Bitmaps follow the image's transparency; icons carry their own mask.
    if (TGraphic* graphic = picture_.Graphic();
        graphic != nullptr && dynamic_cast<TIcon*>(graphic) == nullptr && graphic->Transparent() != transparent_) {
        graphic->SetTransparent(transparent_);
        return;  // that change comes back here
    }
    Invalidate();
}

RECT TImage::DestRect() const {
    if (stretch_) {
        return ClientRect();
    }
    const int w = picture_.Width();
    const int h = picture_.Height();
    const int x = center_ ? (Width() - w) / 2 : 0;
    const int y = center_ ? (Height() - h) / 2 : 0;
    return {x, y, x + w, y + h};
}

void TImage::Paint() {
    if (TGraphic* graphic = picture_.Graphic(); graphic != nullptr && !graphic->Empty()) {
        Canvas().StretchDraw(DestRect(), *graphic);
    }
}

}  // namespace vistrel
