#include "framework/icon.h"

#include "framework/canvas.h"

namespace vistrel {

void TIcon::SetHandle(HICON icon) {
    handle_.reset(icon);
    width_ = height_ = 0;
    ICONINFO info{};
    if (icon != nullptr && GetIconInfo(icon, &info)) {
        const UniqueHbitmap colour(info.hbmColor);
        const UniqueHbitmap mask(info.hbmMask);
        BITMAP bm{};
        if (colour && GetObjectW(colour.get(), sizeof(bm), &bm) != 0) {
            width_ = bm.bmWidth;
            height_ = bm.bmHeight;
        } else if (mask && GetObjectW(mask.get(), sizeof(bm), &bm) != 0) {
            width_ = bm.bmWidth;
            height_ = bm.bmHeight / 2;  // a monochrome icon stacks its two masks
        }
    }
    Changed();
}

bool TIcon::LoadFromResourceName(HINSTANCE instance, const std::wstring& name, int size) {
    auto* icon =
        static_cast<HICON>(LoadImageW(instance, name.c_str(), IMAGE_ICON, size, size, size == 0 ? LR_DEFAULTSIZE : 0));
    SetHandle(icon);
    return icon != nullptr;
}

void TIcon::Draw(TCanvas& canvas, const RECT& rect) {
    if (handle_) {
        DrawIconEx(canvas.Handle(), rect.left, rect.top, handle_.get(), rect.right - rect.left, rect.bottom - rect.top,
                   0, nullptr, DI_NORMAL);
    }
}

std::unique_ptr<TGraphic> TIcon::Clone() const {
    auto copy = std::make_unique<TIcon>();
    if (handle_) {
        copy->SetHandle(CopyIcon(handle_.get()));
    }
    return copy;
}

}  // namespace vistrel
