#include "framework/image_list.h"

#include <algorithm>
#include <vector>

namespace vistrel {

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

void TImageList::SetSize(int width, int height) {
    if (width == width_ && height == height_) {
        return;
    }
    width_ = width;
    height_ = height;
    handle_.reset();
    changed();
}

HIMAGELIST TImageList::Handle() {
    if (!handle_) {
        handle_.reset(ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 4, 4));
    }
    return handle_.get();
}

int TImageList::Count() const {
    return handle_ ? ImageList_GetImageCount(handle_.get()) : 0;
}

int TImageList::AddIcon(const TIcon& icon) {
    const int index = ImageList_ReplaceIcon(Handle(), -1, icon.Handle());
    changed();
    return index;
}

void TImageList::InsertIcon(int index, const TIcon& icon) {
    // The system list only appends icons: take the images out and put them back with the new one in its place.
    const int count = Count();
    std::vector<UniqueHicon> images;
    images.reserve(static_cast<std::size_t>(count) + 1);  // with room for the new one
    for (int i = 0; i < count; ++i) {
        images.emplace_back(ImageList_GetIcon(handle_.get(), i, ILD_NORMAL));
    }
    index = std::clamp(index, 0, static_cast<int>(images.size()));
    images.insert(images.begin() + index, UniqueHicon(CopyIcon(icon.Handle())));
    ImageList_Remove(Handle(), -1);
    for (const UniqueHicon& image : images) {
        ImageList_ReplaceIcon(handle_.get(), -1, image.get());
    }
    changed();
}

int TImageList::AddMasked(const TBitmap& bitmap) {
    // The system blackens the masked pixels of what it is given, and wants it selected into no context: hand it a
    // copy of its own.
    auto copy = bitmap.Clone();
    auto& image = static_cast<TBitmap&>(*copy);
    const COLORREF transparent = ColorToRGB(image.TransparentColor());
    const UniqueHbitmap pixels(image.ReleaseHandle());
    const int index = ImageList_AddMasked(Handle(), pixels.get(), transparent);
    changed();
    return index;
}

void TImageList::Delete(int index) {
    if (handle_ && ImageList_Remove(handle_.get(), index)) {
        changed();
    }
}

void TImageList::Clear() {
    if (handle_) {
        ImageList_Remove(handle_.get(), -1);
        changed();
    }
}

bool TImageList::GetIcon(int index, TIcon& icon) const {
    if (index < 0 || index >= Count()) {
        return false;
    }
    HICON copy = ImageList_GetIcon(handle_.get(), index, ILD_NORMAL);
    if (copy == nullptr) {
        return false;
    }
    icon.SetHandle(copy);
    return true;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
    if (handle_ && index >= 0 && index < Count()) {
        ImageList_Draw(handle_.get(), index, canvas.Handle(), x, y, ILD_TRANSPARENT);
    }
}

void TImageList::changed() {
    if (OnChange) {
        OnChange(this);
    }
}

}  // namespace vistrel
