#pragma once

#include <memory>

#include "framework/bitmap.h"
#include "framework/icon.h"

namespace vistrel {

/// Holds one graphic of any kind, owned; set by copying. OnChange tells of any change of it.
class TPicture : public TObject {
public:
    TGraphic* Graphic() const { return graphic_.get(); }
    /// Replaces the graphic by a copy of `graphic` (nullptr empties the picture).
    void SetGraphic(const TGraphic* graphic);
    void Assign(const TPicture& source) { SetGraphic(source.Graphic()); }
    /// The picture as a bitmap: a graphic of another kind is replaced by an empty bitmap.
    TBitmap& Bitmap();
    /// The picture as an icon, in the same way.
    TIcon& Icon();

    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    TNotifyEvent OnChange;

private:
    template <typename T>
    T& as();
    void adopt(std::unique_ptr<TGraphic> graphic);
    void changed();

    std::unique_ptr<TGraphic> graphic_;
};

}  // namespace vistrel
