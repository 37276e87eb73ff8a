#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace vistrel::pixels {

/// One pixel as it lies in the buffer: blue, green, red.
struct Bgr {
    std::uint8_t b = 0;
    std::uint8_t g = 0;
    std::uint8_t r = 0;
    friend bool operator==(const Bgr&, const Bgr&) = default;
};

/// Bytes of one row: three per pixel, padded to a multiple of four.
constexpr int row_stride(int width) {
    return 3 * width + width % 4;
}
constexpr int row_padding(int width) {
    return width % 4;
}
constexpr int image_size(int width, int height) {
    return row_stride(width) * height;
}
/// Whether the buffer of an image of this size can be counted in int bytes (so neither row_stride nor
/// image_size overflows); sizes below 1 are no image.
bool image_size_fits(int width, int height);

/// A 24-bit top-down image in memory that someone else owns.
struct PixelView {
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;

    std::uint8_t* row(int y) const { return bits + static_cast<std::ptrdiff_t>(y) * stride; }
    Bgr get(int x, int y) const {
        const std::uint8_t* p = row(y) + 3 * x;
        return {p[0], p[1], p[2]};
    }
    void set(int x, int y, Bgr c) const {
        std::uint8_t* p = row(y) + 3 * x;
        p[0] = c.b;
        p[1] = c.g;
        p[2] = c.r;
    }
    bool empty() const { return width <= 0 || height <= 0; }
};

/// A 24-bit image in plain memory, laid out as the bitmap surface lays out its section.
class PixelImage {
public:
    PixelImage() = default;
    PixelImage(int width, int height);
    explicit PixelImage(const PixelView& source);

    PixelView view() const { return {const_cast<std::uint8_t*>(bytes_.data()), width_, height_, row_stride(width_)}; }
    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> bytes_;
};

static_assert(sizeof(Bgr) == 3);

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

void fill(const PixelView& image, Bgr colour);
void grayscale(const PixelView& image);
void brightness(const PixelView& image, int amount);
void contrast(const PixelView& image, int amount);
void saturation(const PixelView& image, int amount);
void color_tint(const PixelView& image, int red, int green, int blue);
/// Adds (channel - 192) to each channel; pixels of `keep` are left alone.
void colorize(const PixelView& image, int red, int green, int blue, std::optional<Bgr> keep);
/// Blends `source` (same size) over `image`; pixels of `skip` in the source are left out.
void alpha_blend(const PixelView& image, const PixelView& source, int alpha, std::optional<Bgr> skip);
void invert(const PixelView& image);
void flip(const PixelView& image, bool horizontal);
void blur(const PixelView& image, int radius);
void gaussian_blur(const PixelView& image, int amount);
void sharpen(const PixelView& image, int radius);
void sponge(const PixelView& image, int radius, std::minstd_rand& random);
void emboss(const PixelView& image);
void mask(const PixelView& image, Bgr colour);
void wave(const PixelView& image, int amplitude, int x_period, int y_period, bool wrap);
/// Rotates about (cx, cy); a negative coordinate stands for the middle of that side.
void rotate(const PixelView& image, int cx, int cy, double degrees);

/// Copies a rectangle 1:1, clipped to both images.
void copy_rect(const PixelView& source, Rect from, const PixelView& target, int x, int y);
/// Nearest-pixel stretch of `from` onto `to`; empty or inverted rectangles draw nothing.
void stretch_rect(const PixelView& source, Rect from, const PixelView& target, Rect to);
/// Bilinear resampling of the whole source onto the whole target, in 15-bit fixed point.
void smooth_stretch(const PixelView& source, const PixelView& target);

/// The image as a bitmap file (24 bits, bottom-up rows), as screenshots and streams store it.
std::vector<std::uint8_t> encode_bmp(const PixelView& image);

/// Where the parts of a bitmap file lie, once its headers have been checked against the file's size.
struct BmpLayout {
    std::size_t info_offset = 0;    // the info header, followed by its masks and colour table
    std::size_t pixels_offset = 0;  // the pixel data
    int width = 0;
    int height = 0;  // rows, whichever way they are stored
    int bit_count = 0;
};
/// The layout of a bitmap file with an info header of 40 bytes or more, uncompressed, with bit fields or run-length
/// encoded; nullopt when the file is none of these, when its image is too large (image_size_fits), or when its
/// headers claim more colours or pixels than the file holds.
std::optional<BmpLayout> bmp_layout(const std::uint8_t* file, std::size_t size);

}  // namespace vistrel::pixels
