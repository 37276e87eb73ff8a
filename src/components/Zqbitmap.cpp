#include "components/Zqbitmap.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <stdexcept>

#include "win32/dib_header.h"

namespace vistrel {

TZQColor ZQGetColor(TColor color) {
    const COLORREF rgb = ColorToRGB(color);
    return ZQRGB(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor ZQGetStdColor(TZQColor color) {
    return RGB(color.r, color.g, color.b);
}

TZQBitmap::TZQBitmap() : canvas_(std::make_unique<TCanvas>()) {}

// The canvas lets go of the memory DC, and the section is deselected, before either is deleted.
TZQBitmap::~TZQBitmap() {
    release_image();
}

void TZQBitmap::CleanUp() {
    release_image();
}

void TZQBitmap::release_image() {
    canvas_->SetHandle(nullptr);
    section_selected_.reset();
    dc_.reset();
    section_.reset();
    bits_ = nullptr;
    rows_.clear();
    mask_.reset();
    width_ = height_ = image_size_ = 0;
}

void TZQBitmap::LoadBlank(int width, int height) {
    CleanUp();
    // No size, or one whose byte count int cannot hold: the image stays empty.
    if (!pixels::image_size_fits(width, height)) {
        return;
    }
    width_ = width;
    height_ = height;
    const BITMAPINFO info = top_down_dib_header(width, height, 24);
    void* bits = nullptr;
    section_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint8_t*>(bits);
    Initialize();
    if (FillColor != kZQNoColor && section_) {
        Fill(FillColor);
    }
}

void TZQBitmap::Initialize() {
    if (!pixels::image_size_fits(width_, height_)) {
        CleanUp();
        return;
    }
    stride_ = pixels::row_stride(width_);
    padding_ = pixels::row_padding(width_);
    image_size_ = stride_ * height_;
    if (!section_) {
        CleanUp();
        return;
    }
    rows_.resize(static_cast<std::size_t>(height_));
    for (int y = 0; y < height_; ++y) {
        rows_[static_cast<std::size_t>(y)] = bits_ + static_cast<std::ptrdiff_t>(y) * stride_;
    }
    {
        const WindowDc screen(nullptr);
        dc_.reset(CreateCompatibleDC(screen.get()));
    }
    section_selected_.emplace(dc_.get(), section_.get());
    canvas_->SetHandle(dc_.get());
    Changed();
}

pixels::PixelView TZQBitmap::View() {
    GdiFlush();
    return {bits_, width_, height_, stride_};
}

void TZQBitmap::changed_pixels() {
    mask_.reset();
    Changed();
}

void TZQBitmap::SetSize(int width, int height) {
    if (width != width_ || height != height_) {
        LoadBlank(width, height);
    }
}

void TZQBitmap::LoadFromBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof(info), &info) == 0) {
        CleanUp();
        return;
    }
    PixelFormat = info.bmBitsPixel;
    // GetDIBits wants the bitmap outside any device context: read from a copy that nobody holds.
    const UniqueHbitmap copy(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    HBITMAP source = copy ? copy.get() : bitmap;
    LoadBlank(info.bmWidth, std::abs(info.bmHeight));
    if (!section_) {
        return;
    }
    BITMAPINFO header = top_down_dib_header(width_, height_, 24);
    GetDIBits(dc_.get(), source, 0, static_cast<UINT>(height_), bits_, &header, DIB_RGB_COLORS);
    color_table_.clear();
    if (info.bmBitsPixel <= 8) {
        const UniqueHdc table_dc(CreateCompatibleDC(nullptr));
        const SelectGuard selected(table_dc.get(), source);
        color_table_.resize(256);
        color_table_.resize(GetDIBColorTable(table_dc.get(), 0, 256, color_table_.data()));
    }
    changed_pixels();
}

void TZQBitmap::LoadFromGraphic(TGraphic& graphic) {
    LoadBlank(graphic.Width(), graphic.Height());
    if (section_) {
        graphic.Draw(*canvas_, {0, 0, width_, height_});
        changed_pixels();
    }
}

void TZQBitmap::LoadFromMemory(const std::uint8_t* bits, std::size_t size, int width, int height) {
    LoadBlank(width, height);
    const std::size_t row = 3 * static_cast<std::size_t>(width_);
    for (int y = 0; y < height_ && (static_cast<std::size_t>(y) + 1) * row <= size; ++y) {
        std::memcpy(rows_[static_cast<std::size_t>(y)], bits + static_cast<std::size_t>(y) * row, row);
    }
    changed_pixels();
}

void TZQBitmap::SaveToBitmap(TBitmap& bitmap) {
    bitmap.SetSize(width_, height_);
    if (section_) {
        BitBlt(bitmap.Canvas().Handle(), 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
    }
}

void TZQBitmap::Resize(int width, int height) {
    if (width == width_ && height == height_) {
        return;
    }
    TZQBitmap resized;
    resized.LoadBlank(width, height);
    if (resized.section_ && section_) {
        SetStretchBltMode(resized.dc_.get(), COLORONCOLOR);
        StretchBlt(resized.dc_.get(), 0, 0, width, height, dc_.get(), 0, 0, width_, height_, SRCCOPY);
    }
    LoadBlank(width, height);
    if (section_) {
        std::memcpy(bits_, resized.bits_, static_cast<std::size_t>(image_size_));
        changed_pixels();
    }
}

void TZQBitmap::Sleep() {
    if (section_ && !sleeping_) {
        sleeping_ = std::make_unique<pixels::PixelImage>(View());
        CleanUp();
    }
}

void TZQBitmap::Wake() {
    if (sleeping_) {
        const std::unique_ptr<pixels::PixelImage> image = std::move(sleeping_);
        LoadBlank(image->width(), image->height());
        pixels::copy_rect(image->view(), {0, 0, image->width(), image->height()}, View(), 0, 0);
        changed_pixels();
    }
}

void TZQBitmap::FreeMemoryImage() {
    sleeping_.reset();
}

void TZQBitmap::build_palette() {
    if (color_table_.empty()) {
        return;
    }
    std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + color_table_.size() * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(color_table_.size());
    for (std::size_t i = 0; i < color_table_.size(); ++i) {
        palette->palPalEntry[i] = {color_table_[i].rgbRed, color_table_[i].rgbGreen, color_table_[i].rgbBlue, 0};
    }
    palette_.reset(CreatePalette(palette));
}

void TZQBitmap::Draw(TCanvas& canvas, const RECT& rect) {
    if (!section_) {
        return;
    }
    std::optional<PaletteGuard> selected;
    if (UsePalette && GetDeviceCaps(canvas.Handle(), BITSPIXEL) <= 8) {
        build_palette();
        if (palette_) {
            selected.emplace(canvas.Handle(), palette_.get());
        }
    }
    if (ZQRectWidth(rect) == width_ && ZQRectHeight(rect) == height_) {
        if (Transparent()) {
            TransparentDraw(canvas, rect);
        } else {
            GdiFlush();
            BitBlt(canvas.Handle(), rect.left, rect.top, width_, height_, dc_.get(), 0, 0, SRCCOPY);
        }
    } else if (Smooth) {
        SmoothStretchDraw(canvas, rect);
    } else {
        StretchDraw(canvas, rect);
    }
    if (selected) {
        selected.reset();  // the palette is put back before it goes
        palette_.reset();
    }
}

void TZQBitmap::StretchDraw(TCanvas& canvas, const RECT& rect) {
    if (!section_) {
        return;
    }
    if (Transparent()) {
        TZQBitmap stretched;
        stretched.LoadBlank(ZQRectWidth(rect), ZQRectHeight(rect));
        StretchBlt(stretched.dc_.get(), 0, 0, stretched.width_, stretched.height_, dc_.get(), 0, 0, width_, height_,
                   SRCCOPY);
        stretched.TransparentColor =
            TransparentColor != kZQNoColor ? TransparentColor : ZQGetStdColor(View().get(0, 0));
        stretched.TransparentDraw(canvas, rect);
        return;
    }
    GdiFlush();
    SetStretchBltMode(canvas.Handle(), COLORONCOLOR);
    StretchBlt(canvas.Handle(), rect.left, rect.top, ZQRectWidth(rect), ZQRectHeight(rect), dc_.get(), 0, 0, width_,
               height_, SRCCOPY);
}

void TZQBitmap::SmoothStretchDraw(TCanvas& canvas, const RECT& rect) {
    if (!section_ || ZQRectWidth(rect) <= 0 || ZQRectHeight(rect) <= 0) {
        return;
    }
    TZQBitmap stretched;
    stretched.LoadBlank(ZQRectWidth(rect), ZQRectHeight(rect));
    pixels::smooth_stretch(View(), stretched.View());
    stretched.SetTransparent(Transparent());
    stretched.TransparentColor = TransparentColor != kZQNoColor ? TransparentColor : ZQGetStdColor(View().get(0, 0));
    stretched.Draw(canvas, rect);
}

void TZQBitmap::TileDraw(TCanvas& canvas, const RECT& rect) {
    if (!section_) {
        return;
    }
    for (int y = rect.top; y < rect.bottom; y += height_) {
        for (int x = rect.left; x < rect.right; x += width_) {
            Draw(canvas, {x, y, x + width_, y + height_});
        }
    }
}

HBITMAP TZQBitmap::GetMaskBitmap() {
    if (!mask_ && section_) {
        mask_.reset(CreateBitmap(width_, height_, 1, 1, nullptr));
        const UniqueHdc mask_dc(CreateCompatibleDC(dc_.get()));
        const SelectGuard selected(mask_dc.get(), mask_.get());
        // Blitting colour to monochrome makes the background colour white and everything else black.
        const COLORREF key =
            TransparentColor != kZQNoColor ? ColorToRGB(TransparentColor) : ZQGetStdColor(View().get(0, 0));
        const COLORREF previous = SetBkColor(dc_.get(), key);
        BitBlt(mask_dc.get(), 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
        SetBkColor(dc_.get(), previous);
    }
    return mask_.get();
}

void TZQBitmap::TransparentDraw(TCanvas& canvas, const RECT& rect) {
    if (!section_) {
        return;
    }
    HDC target = canvas.Handle();
    const UniqueHdc mask_dc(CreateCompatibleDC(dc_.get()));
    const SelectGuard selected(mask_dc.get(), GetMaskBitmap());
    const COLORREF background = SetBkColor(target, RGB(255, 255, 255));
    const COLORREF text = SetTextColor(target, RGB(0, 0, 0));
    // Target ^ image, cleared where the mask is black (opaque), ^ image again: the image where opaque,
    // the target where transparent.
    BitBlt(target, rect.left, rect.top, width_, height_, dc_.get(), 0, 0, SRCINVERT);
    BitBlt(target, rect.left, rect.top, width_, height_, mask_dc.get(), 0, 0, SRCAND);
    BitBlt(target, rect.left, rect.top, width_, height_, dc_.get(), 0, 0, SRCINVERT);
    SetBkColor(target, background);
    SetTextColor(target, text);
}

void TZQBitmap::Assign(const TGraphic& source) {
    if (&source == this) {
        return;
    }
    if (const auto* other = dynamic_cast<const TZQBitmap*>(&source)) {
        LoadBlank(other->width_, other->height_);
        if (section_) {
            GdiFlush();
            std::memcpy(bits_, other->bits_, static_cast<std::size_t>(image_size_));
        }
        Smooth = other->Smooth;
        UsePalette = other->UsePalette;
        TransparentColor = other->TransparentColor;
        PixelFormat = other->PixelFormat;
        color_table_ = other->color_table_;
        SetTransparent(other->Transparent());
        changed_pixels();
    } else if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        LoadFromBitmap(*bitmap);
    } else {
        LoadFromGraphic(const_cast<TGraphic&>(source));
    }
}

std::unique_ptr<TGraphic> TZQBitmap::Clone() const {
    auto copy = std::make_unique<TZQBitmap>();
    copy->Assign(*this);
    return copy;
}

std::optional<pixels::Bgr> TZQBitmap::transparent_pixel() {
    if (TransparentColor == kZQNoColor) {
        return std::nullopt;
    }
    return ZQGetColor(TransparentColor);
}

void TZQBitmap::Blur(int radius) {
    pixels::blur(View(), radius);
    changed_pixels();
}

void TZQBitmap::Contrast(int amount) {
    pixels::contrast(View(), amount);
    changed_pixels();
}

void TZQBitmap::Emboss() {
    pixels::emboss(View());
    changed_pixels();
}

void TZQBitmap::Flip(bool horizontal) {
    pixels::flip(View(), horizontal);
    changed_pixels();
}

void TZQBitmap::GaussianBlur(int amount) {
    pixels::gaussian_blur(View(), amount);
    changed_pixels();
}

void TZQBitmap::Grayscale() {
    pixels::grayscale(View());
    changed_pixels();
}

void TZQBitmap::Invert() {
    pixels::invert(View());
    changed_pixels();
}

void TZQBitmap::Brightness(int amount) {
    pixels::brightness(View(), amount);
    changed_pixels();
}

void TZQBitmap::Mask(TColor color) {
    pixels::mask(View(), ZQGetColor(color));
    changed_pixels();
}

void TZQBitmap::ColorTint(int red, int green, int blue) {
    pixels::color_tint(View(), red, green, blue);
    changed_pixels();
}

void TZQBitmap::Colorize(int red, int green, int blue) {
    pixels::colorize(View(), red, green, blue, transparent_pixel());
    changed_pixels();
}

void TZQBitmap::Rotate(POINT centre, double degrees) {
    pixels::rotate(View(), centre.x, centre.y, degrees);
    changed_pixels();
}

void TZQBitmap::Saturation(int amount) {
    pixels::saturation(View(), amount);
    changed_pixels();
}

void TZQBitmap::Sharpen(int radius) {
    pixels::sharpen(View(), radius);
    changed_pixels();
}

void TZQBitmap::Sponge(int radius) {
    pixels::sponge(View(), radius, random_);
    changed_pixels();
}

void TZQBitmap::Wave(int amplitude, int x_period, int y_period, bool wrap) {
    pixels::wave(View(), amplitude, x_period, y_period, wrap);
    changed_pixels();
}

void TZQBitmap::Fill(TColor color) {
    pixels::fill(View(), ZQGetColor(color));
    changed_pixels();
}

void TZQBitmap::AlphaBlend(TZQBitmap& other, int alpha, bool stretch) {
    if (other.width_ != width_ || other.height_ != height_) {
        if (!stretch) {
            throw std::runtime_error("In Alpha Blend, Blend Bitmap must be same dimensions as Current Bitmap");
        }
        TZQBitmap stretched;
        stretched.Assign(other);
        stretched.Resize(width_, height_);
        AlphaBlend(stretched, alpha, false);
        return;
    }
    std::optional<pixels::Bgr> skip;
    if (other.Transparent() && other.section_) {
        skip = other.View().get(0, 0);
    }
    pixels::alpha_blend(View(), other.View(), alpha, skip);
    changed_pixels();
}

}  // namespace vistrel
