#include "framework/picture.h"

namespace vistrel {

void TPicture::SetGraphic(const TGraphic* graphic) {
    if (graphic != graphic_.get()) {
        adopt(graphic != nullptr ? graphic->Clone() : nullptr);
    }
}

template <typename T>
T& TPicture::as() {
    if (auto* existing = dynamic_cast<T*>(graphic_.get())) {
        return *existing;
    }
    adopt(std::make_unique<T>());
    return static_cast<T&>(*graphic_);
}

TBitmap& TPicture::Bitmap() {
    return as<TBitmap>();
}

TIcon& TPicture::Icon() {
    return as<TIcon>();
}

void TPicture::adopt(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (graphic_) {
        graphic_->OnChange = [this](TObject*) { changed(); };
    }
    changed();
}

void TPicture::changed() {
    if (OnChange) {
        OnChange(this);
    }
}

}  // namespace vistrel
