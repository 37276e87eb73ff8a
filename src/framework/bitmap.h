#pragma once

#include <optional>
#include <string>

#include "framework/canvas.h"
#include "framework/graphic.h"
#include "win32/unique_handle.h"

namespace vistrel {

/// An ordinary bitmap with a canvas of its own; its transparent colour is that of its bottom-left pixel.
class TBitmap : public TGraphic {
public:
    TBitmap() = default;
    ~TBitmap() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Draw(TCanvas& canvas, const RECT& rect) override;
    std::unique_ptr<TGraphic> Clone() const override;

    HBITMAP Handle() const { return handle_.get(); }
    /// Takes ownership of a bitmap handle.
    void SetHandle(HBITMAP bitmap);
    /// Gives up the bitmap handle to the caller; the bitmap is empty afterwards.
    HBITMAP ReleaseHandle();
    /// A new 24-bit bitmap of the given size, filled white.
    void SetSize(int width, int height);
    /// Loads a bitmap resource by name (case does not matter); false leaves the bitmap empty.
    bool LoadFromResourceName(HINSTANCE instance, const std::wstring& name);
    int BitsPerPixel() const;
    TColor TransparentColor();

    /// The canvas that draws into this bitmap.
    TCanvas& Canvas();

private:
    void release_canvas();

    UniqueHbitmap handle_;
    int width_ = 0;
    int height_ = 0;
    UniqueHdc dc_;
    std::optional<SelectGuard> selected_;
    std::unique_ptr<TCanvas> canvas_;
};

}  // namespace vistrel
