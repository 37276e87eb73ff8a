#include "framework/bitmap.h"

#include "win32/dib_header.h"

namespace vistrel {

TBitmap::~TBitmap() {
    release_canvas();
}

void TBitmap::release_canvas() {
    canvas_.reset();
    selected_.reset();
    dc_.reset();
}

void TBitmap::SetHandle(HBITMAP bitmap) {
    release_canvas();
    handle_.reset(bitmap);
    BITMAP info{};
    if (bitmap != nullptr && GetObjectW(bitmap, sizeof(info), &info) != 0) {
        width_ = info.bmWidth;
        height_ = info.bmHeight;
    } else {
        width_ = height_ = 0;
    }
    Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
    release_canvas();
    width_ = height_ = 0;
    HBITMAP bitmap = handle_.release();
    Changed();
    return bitmap;
}

void TBitmap::SetSize(int width, int height) {
    if (width <= 0 || height <= 0) {
        SetHandle(nullptr);
        return;
    }
    const BITMAPINFO info = top_down_dib_header(width, height, 24);
    void* bits = nullptr;
    SetHandle(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (handle_) {
        PatBlt(Canvas().Handle(), 0, 0, width, height, WHITENESS);
    }
}

bool TBitmap::LoadFromResourceName(HINSTANCE instance, const std::wstring& name) {
    auto* bitmap = static_cast<HBITMAP>(LoadImageW(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    SetHandle(bitmap);
    return bitmap != nullptr;
}

int TBitmap::BitsPerPixel() const {
    BITMAP info{};
    return handle_ && GetObjectW(handle_.get(), sizeof(info), &info) != 0 ? info.bmBitsPixel : 0;
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) {
        dc_.reset(CreateCompatibleDC(nullptr));
        if (handle_) {
            selected_.emplace(dc_.get(), handle_.get());
        }
        canvas_ = std::make_unique<TCanvas>();
        canvas_->SetHandle(dc_.get());
    }
    return *canvas_;
}

TColor TBitmap::TransparentColor() {
    return Empty() ? clNone : GetPixel(Canvas().Handle(), 0, height_ - 1);
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect) {
    if (Empty()) {
        return;
    }
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    HDC source = Canvas().Handle();
    if (Transparent()) {
        TransparentBlt(canvas.Handle(), rect.left, rect.top, w, h, source, 0, 0, width_, height_,
                       static_cast<UINT>(TransparentColor()));
    } else if (w == width_ && h == height_) {
        BitBlt(canvas.Handle(), rect.left, rect.top, w, h, source, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(canvas.Handle(), COLORONCOLOR);
        StretchBlt(canvas.Handle(), rect.left, rect.top, w, h, source, 0, 0, width_, height_, SRCCOPY);
    }
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    auto copy = std::make_unique<TBitmap>();
    if (!Empty()) {
        copy->SetSize(width_, height_);
        auto& self = const_cast<TBitmap&>(*this);  // drawing from the canvas changes no value
        BitBlt(copy->Canvas().Handle(), 0, 0, width_, height_, self.Canvas().Handle(), 0, 0, SRCCOPY);
    }
    copy->SetTransparent(Transparent());
    return copy;
}

}  // namespace vistrel
