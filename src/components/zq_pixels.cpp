#include "components/zq_pixels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <numbers>

namespace vistrel::pixels {
namespace {

using Table = std::array<std::uint8_t, 256>;

std::uint8_t clamp_byte(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

template <typename F>
Table make_table(F f) {
    Table t{};
    for (int v = 0; v < 256; ++v) {
        t[static_cast<std::size_t>(v)] = clamp_byte(f(v));
    }
    return t;
}

// Runs f(pixel bytes) over every pixel, skipping row padding.
template <typename F>
void for_each_pixel(const PixelView& image, F f) {
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* p = image.row(y);
        for (std::uint8_t* end = p + 3 * image.width; p != end; p += 3) {
            f(p);
        }
    }
}

void apply_table(const PixelView& image, const Table& t) {
    for_each_pixel(image, [&](std::uint8_t* p) {
        p[0] = t[p[0]];
        p[1] = t[p[1]];
        p[2] = t[p[2]];
    });
}

int clamp_to(int v, int limit) {
    return std::clamp(v, 0, limit - 1);
}

}  // namespace

PixelImage::PixelImage(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      bytes_(static_cast<std::size_t>(image_size(width_, height_))) {}

PixelImage::PixelImage(const PixelView& source) : PixelImage(source.width, source.height) {
    for (int y = 0; y < height_; ++y) {
        std::copy_n(source.row(y), 3 * width_, view().row(y));
    }
}

void fill(const PixelView& image, Bgr colour) {
    for_each_pixel(image, [&](std::uint8_t* p) {
        p[0] = colour.b;
        p[1] = colour.g;
        p[2] = colour.r;
    });
}

void grayscale(const PixelView& image) {
    // Each product is truncated on its own, so white ends at 254.
    static const Table red = make_table([](int v) { return v * 30 / 100; });
    static const Table green = make_table([](int v) { return v * 59 / 100; });
    static const Table blue = make_table([](int v) { return v * 11 / 100; });
    for_each_pixel(image, [&](std::uint8_t* p) {
        const auto g = static_cast<std::uint8_t>(red[p[2]] + green[p[1]] + blue[p[0]]);
        p[0] = g;
        p[1] = g;
        p[2] = g;
    });
}

void brightness(const PixelView& image, int amount) {
    apply_table(image, make_table([amount](int v) {
                    return amount > 0 ? v + (((255 - v) * amount) >> 8) : v - ((std::abs(amount) * v) >> 8);
                }));
}

void contrast(const PixelView& image, int amount) {
    apply_table(image, make_table([amount](int v) {
                    const int step = std::abs(128 - v) * amount / 256;
                    return v < 127 ? v - step : v + step;
                }));
}

void saturation(const PixelView& image, int amount) {
    for_each_pixel(image, [amount](std::uint8_t* p) {
        const int g = p[0] / 3 + p[1] / 3 + p[2] / 3;
        const int base = g - ((g * amount) >> 8);
        for (int c = 0; c < 3; ++c) {
            p[c] = clamp_byte(base + ((p[c] * amount) >> 8));
        }
    });
}

void color_tint(const PixelView& image, int red, int green, int blue) {
    const Table tb = make_table([blue](int v) { return v + blue; });
    const Table tg = make_table([green](int v) { return v + green; });
    const Table tr = make_table([red](int v) { return v + red; });
    for_each_pixel(image, [&](std::uint8_t* p) {
        p[0] = tb[p[0]];
        p[1] = tg[p[1]];
        p[2] = tr[p[2]];
    });
}

void colorize(const PixelView& image, int red, int green, int blue, std::optional<Bgr> keep) {
    const Table tb = make_table([blue](int v) { return v + blue - 192; });
    const Table tg = make_table([green](int v) { return v + green - 192; });
    const Table tr = make_table([red](int v) { return v + red - 192; });
    for_each_pixel(image, [&](std::uint8_t* p) {
        if (keep && Bgr{p[0], p[1], p[2]} == *keep) {
            return;
        }
        p[0] = tb[p[0]];
        p[1] = tg[p[1]];
        p[2] = tr[p[2]];
    });
}

void alpha_blend(const PixelView& image, const PixelView& source, int alpha, std::optional<Bgr> skip) {
    const int height = std::min(image.height, source.height);
    const int width = std::min(image.width, source.width);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* d = image.row(y);
        const std::uint8_t* s = source.row(y);
        for (int x = 0; x < width; ++x, d += 3, s += 3) {
            if (skip && Bgr{s[0], s[1], s[2]} == *skip) {
                continue;
            }
            for (int c = 0; c < 3; ++c) {
                d[c] = clamp_byte(d[c] + (((s[c] - d[c]) * alpha) >> 8));
            }
        }
    }
}

void invert(const PixelView& image) {
    for_each_pixel(image, [](std::uint8_t* p) {
        for (int c = 0; c < 3; ++c) {
            p[c] = static_cast<std::uint8_t>(255 - p[c]);
        }
    });
}

void flip(const PixelView& image, bool horizontal) {
    if (horizontal) {
        for (int y = 0; y < image.height; ++y) {
            for (int l = 0, r = image.width - 1; l < r; ++l, --r) {
                const Bgr left = image.get(l, y);
                image.set(l, y, image.get(r, y));
                image.set(r, y, left);
            }
        }
        return;
    }
    for (int t = 0, b = image.height - 1; t < b; ++t, --b) {
        std::swap_ranges(image.row(t), image.row(t) + 3 * image.width, image.row(b));
    }
}

void blur(const PixelView& image, int radius) {
    const PixelImage copy(image);
    const PixelView src = copy.view();
    for (int y = 0; y < image.height; ++y) {
        const int up = clamp_to(y - radius, image.height);
        const int down = clamp_to(y + radius, image.height);
        for (int x = 0; x < image.width; ++x) {
            const int left = clamp_to(x - radius, image.width);
            const int right = clamp_to(x + radius, image.width);
            const std::uint8_t* a = src.row(up) + 3 * left;
            const std::uint8_t* b = src.row(up) + 3 * right;
            const std::uint8_t* c = src.row(down) + 3 * left;
            const std::uint8_t* d = src.row(down) + 3 * right;
            std::uint8_t* p = image.row(y) + 3 * x;
            for (int k = 0; k < 3; ++k) {
                p[k] = static_cast<std::uint8_t>((a[k] + b[k] + c[k] + d[k]) >> 2);
            }
        }
    }
}

void gaussian_blur(const PixelView& image, int amount) {
    for (int r = amount; r >= 1; --r) {
        blur(image, r);
    }
}

void sharpen(const PixelView& image, int radius) {
    const PixelImage copy(image);
    const PixelView src = copy.view();
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            std::array<int, 3> sum{};
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if (dx == 0 && dy == 0) {
                        continue;
                    }
                    const Bgr n =
                        src.get(clamp_to(x + dx * radius, image.width), clamp_to(y + dy * radius, image.height));
                    sum[0] += n.b;
                    sum[1] += n.g;
                    sum[2] += n.r;
                }
            }
            const Bgr c = src.get(x, y);
            image.set(x, y,
                      {clamp_byte((256 * c.b - 16 * sum[0]) / 128), clamp_byte((256 * c.g - 16 * sum[1]) / 128),
                       clamp_byte((256 * c.r - 16 * sum[2]) / 128)});
        }
    }
}

void sponge(const PixelView& image, int radius, std::minstd_rand& random) {
    const PixelImage copy(image);
    const PixelView src = copy.view();
    std::uniform_int_distribution<int> offset(-radius, radius);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const int sx = clamp_to(x + offset(random), image.width);
            const int sy = clamp_to(y + offset(random), image.height);
            image.set(x, y, src.get(sx, sy));
        }
    }
}

void emboss(const PixelView& image) {
    const PixelImage copy(image);
    const PixelView src = copy.view();
    for (int y = 0; y < image.height; ++y) {
        const int below = clamp_to(y + 1, image.height);
        for (int x = 0; x < image.width; ++x) {
            const Bgr p = src.get(x, y);
            const Bgr q = src.get(clamp_to(x + 1, image.width), below);
            image.set(
                x, y,
                {static_cast<std::uint8_t>((p.b + 255 - q.b) / 2), static_cast<std::uint8_t>((p.g + 255 - q.g) / 2),
                 static_cast<std::uint8_t>((p.r + 255 - q.r) / 2)});
        }
    }
}

void mask(const PixelView& image, Bgr colour) {
    for_each_pixel(image, [colour](std::uint8_t* p) {
        const std::uint8_t v = Bgr{p[0], p[1], p[2]} == colour ? 0 : 255;
        p[0] = v;
        p[1] = v;
        p[2] = v;
    });
}

void wave(const PixelView& image, int amplitude, int x_period, int y_period, bool wrap) {
    auto shifted = [&](int position, int shift, int limit) {
        const int p = position - shift;
        return wrap ? ((p % limit) + limit) % limit : clamp_to(p, limit);
    };
    if (x_period != 0) {
        const PixelImage copy(image);
        for (int y = 0; y < image.height; ++y) {
            const int shift = static_cast<int>(std::lround(amplitude * std::sin(static_cast<double>(y) / x_period)));
            for (int x = 0; x < image.width; ++x) {
                image.set(x, y, copy.view().get(shifted(x, shift, image.width), y));
            }
        }
    }
    if (y_period != 0) {
        const PixelImage copy(image);
        for (int x = 0; x < image.width; ++x) {
            const int shift = static_cast<int>(std::lround(amplitude * std::sin(static_cast<double>(x) / y_period)));
            for (int y = 0; y < image.height; ++y) {
                image.set(x, y, copy.view().get(x, shifted(y, shift, image.height)));
            }
        }
    }
}

void rotate(const PixelView& image, int cx, int cy, double degrees) {
    if (image.empty()) {
        return;
    }
    const double ox = cx < 0 ? image.width / 2.0 : cx;
    const double oy = cy < 0 ? image.height / 2.0 : cy;
    const double a = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const PixelImage copy(image);
    const PixelView src = copy.view();
    const Bgr background = src.get(0, 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double dx = x - ox;
            const double dy = y - oy;
            const auto sx = static_cast<int>(std::lround(ox + dx * c + dy * s));
            const auto sy = static_cast<int>(std::lround(oy - dx * s + dy * c));
            const bool inside = sx >= 0 && sy >= 0 && sx < image.width && sy < image.height;
            image.set(x, y, inside ? src.get(sx, sy) : background);
        }
    }
}

void copy_rect(const PixelView& source, Rect from, const PixelView& target, int x, int y) {
    // Clip against the source, then against the target, moving both origins together.
    int sx = from.x, sy = from.y, w = from.width, h = from.height;
    auto clip = [&](int& s, int& d, int& len, int s_limit, int d_limit) {
        const int lead = std::max({0, -s, -d});
        s += lead;
        d += lead;
        len = std::min({len - lead, s_limit - s, d_limit - d});
    };
    clip(sx, x, w, source.width, target.width);
    clip(sy, y, h, source.height, target.height);
    if (w <= 0 || h <= 0) {
        return;
    }
    for (int r = 0; r < h; ++r) {
        std::copy_n(source.row(sy + r) + 3 * sx, 3 * w, target.row(y + r) + 3 * x);
    }
}

void stretch_rect(const PixelView& source, Rect from, const PixelView& target, Rect to) {
    if (from.width <= 0 || from.height <= 0 || to.width <= 0 || to.height <= 0) {
        return;
    }
    const int x0 = std::max(to.x, 0);
    const int x1 = std::min(to.x + to.width, target.width);
    const int y0 = std::max(to.y, 0);
    const int y1 = std::min(to.y + to.height, target.height);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    // Source column of every target column, computed once per call.
    std::vector<int> columns(static_cast<std::size_t>(x1 - x0));
    for (int x = x0; x < x1; ++x) {
        columns[static_cast<std::size_t>(x - x0)] =
            3 *
            clamp_to(from.x + static_cast<int>(static_cast<long long>(x - to.x) * from.width / to.width), source.width);
    }
    int previous_sy = -1;
    for (int y = y0; y < y1; ++y) {
        const int sy = clamp_to(from.y + static_cast<int>(static_cast<long long>(y - to.y) * from.height / to.height),
                                source.height);
        std::uint8_t* d = target.row(y) + 3 * x0;
        if (sy == previous_sy) {
            // Enlarged: this row repeats the one above.
            std::copy_n(target.row(y - 1) + 3 * x0, 3 * (x1 - x0), d);
            continue;
        }
        previous_sy = sy;
        const std::uint8_t* s = source.row(sy);
        for (const int column : columns) {
            d[0] = s[column];
            d[1] = s[column + 1];
            d[2] = s[column + 2];
            d += 3;
        }
    }
}

void smooth_stretch(const PixelView& source, const PixelView& target) {
    if (source.empty() || target.empty()) {
        return;
    }
    const long long step_x = (static_cast<long long>(source.width) - 1) * 32768 / target.width;
    const long long step_y = (static_cast<long long>(source.height) - 1) * 32768 / target.height;
    for (int y = 0; y < target.height; ++y) {
        const long long fy = y * step_y;
        const int iy = static_cast<int>(fy >> 15);
        const int wy = static_cast<int>(fy & 0x7FFF);
        const std::uint8_t* top = source.row(iy);
        const std::uint8_t* bottom = source.row(std::min(iy + 1, source.height - 1));
        std::uint8_t* d = target.row(y);
        for (int x = 0; x < target.width; ++x, d += 3) {
            const long long fx = x * step_x;
            const int ix = static_cast<int>(fx >> 15);
            const int wx = static_cast<int>(fx & 0x7FFF);
            const int ix2 = std::min(ix + 1, source.width - 1);
            for (int c = 0; c < 3; ++c) {
                const int upper = (top[3 * ix + c] * (32768 - wx) + top[3 * ix2 + c] * wx) >> 15;
                const int lower = (bottom[3 * ix + c] * (32768 - wx) + bottom[3 * ix2 + c] * wx) >> 15;
                d[c] = static_cast<std::uint8_t>((upper * (32768 - wy) + lower * wy) >> 15);
            }
        }
    }
}

std::vector<std::uint8_t> encode_bmp(const PixelView& image) {
    const int stride = (3 * image.width + 3) / 4 * 4;
    const auto pixels = static_cast<std::uint32_t>(stride * image.height);
    std::vector<std::uint8_t> out;
    out.reserve(54 + pixels);
    auto put = [&out](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    };
    out.push_back('B');
    out.push_back('M');
    put(54 + pixels, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(image.width), 4);
    put(static_cast<std::uint32_t>(image.height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(pixels, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int y = image.height - 1; y >= 0; --y) {
        out.insert(out.end(), image.row(y), image.row(y) + 3 * image.width);
        out.resize(out.size() + static_cast<std::size_t>(stride - 3 * image.width));
    }
    return out;
}

bool image_size_fits(int width, int height) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    const auto stride = 3 * static_cast<std::int64_t>(width) + width % 4;
    return stride * height <= std::numeric_limits<int>::max();
}

namespace {

std::uint32_t read_u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t read_u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

}  // namespace

std::optional<BmpLayout> bmp_layout(const std::uint8_t* file, std::size_t size) {
    if (size < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M') {
        return std::nullopt;
    }
    const std::uint8_t* info = file + kFileHeaderSize;
    const std::uint32_t info_size = read_u32(info);
    const auto width = static_cast<std::int32_t>(read_u32(info + 4));
    const auto stored_height = static_cast<std::int32_t>(read_u32(info + 8));
    const int bit_count = read_u16(info + 14);
    const std::uint32_t compression = read_u32(info + 16);
    const std::uint32_t image_bytes = read_u32(info + 20);
    const std::uint32_t colours_used = read_u32(info + 32);
    if (info_size < kInfoHeaderSize || info_size > size - kFileHeaderSize || read_u16(info + 12) != 1 ||
        stored_height == std::numeric_limits<std::int32_t>::min()) {
        return std::nullopt;
    }
    const int height = stored_height < 0 ? -stored_height : stored_height;
    if (!image_size_fits(width, height)) {
        return std::nullopt;
    }
    const bool known_depth =
        bit_count == 1 || bit_count == 4 || bit_count == 8 || bit_count == 16 || bit_count == 24 || bit_count == 32;
    const bool run_length = (compression == kRle8 && bit_count == 8) || (compression == kRle4 && bit_count == 4);
    const bool bit_fields = compression == kBitFields && (bit_count == 16 || bit_count == 32);
    if (!known_depth || (compression != kRgb && !run_length && !bit_fields) || (run_length && stored_height < 0)) {
        return std::nullopt;
    }
    // What follows the info header: three masks (in a header of 40 bytes) and the colour table.
    const std::uint64_t palette_limit = bit_count <= 8 ? 1u << bit_count : 256;
    const std::uint64_t colours = colours_used != 0 ? colours_used : bit_count <= 8 ? palette_limit : 0;
    const std::uint64_t masks = bit_fields && info_size == kInfoHeaderSize ? 12 : 0;
    if (colours > palette_limit || kFileHeaderSize + info_size + masks + 4 * colours > size) {
        return std::nullopt;
    }
    const std::uint64_t row_bytes =
        (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bit_count) + 31) / 32 * 4;
    const std::uint64_t pixel_bytes = run_length ? image_bytes : row_bytes * static_cast<std::uint64_t>(height);
    const std::uint32_t pixels_offset = read_u32(file + 10);
    if ((run_length && image_bytes == 0) || pixels_offset > size || pixel_bytes > size - pixels_offset) {
        return std::nullopt;
    }
    return BmpLayout{kFileHeaderSize, pixels_offset, width, height, bit_count};
}

}  // namespace vistrel::pixels
