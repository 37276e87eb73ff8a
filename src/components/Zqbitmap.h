#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "components/zq_pixels.h"
#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/graphic.h"
#include "win32/unique_handle.h"

namespace vistrel {

/// The value that means "no colour" for TransparentColor and FillColor.
inline constexpr TColor kZQNoColor = 0x1FFFFFFF;

/// An off-screen 24-bit image (top row first, blue-green-red, rows padded to 4 bytes) whose pixels are
/// reachable directly and through a canvas, with whole-image filters.
class TZQBitmap : public TGraphic {
public:
    TZQBitmap();
    ~TZQBitmap() override;

    bool Smooth = false;
    bool UsePalette = false;
    TColor TransparentColor = kZQNoColor;
    TColor FillColor = kZQNoColor;
    int PixelFormat = 24;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int RowPadding() const { return padding_; }
    int RowStride() const { return stride_; }
    int ImageSize() const { return image_size_; }
    /// The pixels (GDI's pending drawing flushed first).
    pixels::PixelView View();
    /// Start of every row, top row first.
    const std::vector<std::uint8_t*>& Rows() const { return rows_; }
    std::vector<std::uint8_t*> CopyPixels() const { return rows_; }
    TCanvas& Canvas() { return *canvas_; }
    HBITMAP SectionHandle() const { return section_.get(); }

    virtual void CleanUp();
    virtual void Initialize();
    virtual void LoadBlank(int width, int height);
    virtual void LoadFromBitmap(HBITMAP bitmap);
    void LoadFromBitmap(const TBitmap& bitmap) { LoadFromBitmap(bitmap.Handle()); }
    virtual void LoadFromGraphic(TGraphic& graphic);
    /// Builds the image from packed 24-bit rows (no padding), top row first.
    virtual void LoadFromMemory(const std::uint8_t* bits, std::size_t size, int width, int height);
    virtual void SaveToBitmap(TBitmap& bitmap);
    virtual void Clear() { CleanUp(); }
    virtual void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    /// Resamples the image to a new size.
    virtual void Resize(int width, int height);
    virtual void Sleep();
    virtual void Wake();
    virtual void FreeMemoryImage();
    bool Sleeping() const { return sleeping_ != nullptr; }

    void Draw(TCanvas& canvas, const RECT& rect) override;
    virtual void StretchDraw(TCanvas& canvas, const RECT& rect);
    virtual void SmoothStretchDraw(TCanvas& canvas, const RECT& rect);
    virtual void TileDraw(TCanvas& canvas, const RECT& rect);
    virtual void TransparentDraw(TCanvas& canvas, const RECT& rect);
    /// The monochrome mask of the transparent colour (white where transparent), built once.
    HBITMAP GetMaskBitmap();

    void Assign(const TGraphic& source);
    std::unique_ptr<TGraphic> Clone() const override;
    /// Reads and writes the platform's bitmap file format.
    bool LoadFromStream(std::istream& in);
    void SaveToStream(std::ostream& out);

    virtual void Blur(int radius);
    virtual void Contrast(int amount);
    virtual void Emboss();
    virtual void Flip(bool horizontal);
    virtual void GaussianBlur(int amount);
    virtual void Grayscale();
    virtual void Invert();
    virtual void Brightness(int amount);
    virtual void Mask(TColor color);
    virtual void ColorTint(int red, int green, int blue);
    virtual void Colorize(int red, int green, int blue);
    virtual void Rotate(POINT centre, double degrees);
    virtual void Saturation(int amount);
    virtual void Sharpen(int radius);
    virtual void Sponge(int radius);
    virtual void Wave(int amplitude, int x_period, int y_period, bool wrap);
    void Fill(TColor color);
    /// Blends another image of the same size (or stretched to it when `stretch`) over this one.
    void AlphaBlend(TZQBitmap& other, int alpha, bool stretch);

private:
    void release_image();
    void changed_pixels();
    std::optional<pixels::Bgr> transparent_pixel();
    void build_palette();

    int width_ = 0;
    int height_ = 0;
    int padding_ = 0;
    int stride_ = 0;
    int image_size_ = 0;
    std::uint8_t* bits_ = nullptr;  // owned by section_
    UniqueHbitmap section_;
    UniqueHdc dc_;
    std::optional<SelectGuard> section_selected_;
    std::unique_ptr<TCanvas> canvas_;
    UniqueHbitmap mask_;
    std::unique_ptr<pixels::PixelImage> sleeping_;
    std::vector<std::uint8_t*> rows_;
    std::vector<RGBQUAD> color_table_;
    UniqueHpalette palette_;
    std::minstd_rand random_;
};

/// A colour as it lies in the pixels.
using TZQColor = pixels::Bgr;
inline TZQColor ZQRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return {b, g, r};
}
TZQColor ZQGetColor(TColor color);
TColor ZQGetStdColor(TZQColor color);
inline std::uint8_t ZQIntToByte(int value) {
    return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}
inline int ZQTrimInt(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}
inline int ZQRectWidth(const RECT& r) {
    return r.right - r.left;
}
inline int ZQRectHeight(const RECT& r) {
    return r.bottom - r.top;
}
inline SIZE ZQSize(int width, int height) {
    return {width, height};
}

}  // namespace vistrel
