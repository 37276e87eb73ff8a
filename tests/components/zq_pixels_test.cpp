#include "components/zq_pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace vistrel::pixels {
namespace {

PixelImage filled(int width, int height, Bgr colour) {
    PixelImage image(width, height);
    fill(image.view(), colour);
    return image;
}

Bgr grey(int v) {
    const auto b = static_cast<std::uint8_t>(v);
    return {b, b, b};
}

TEST(PixelLayout, RowsArePaddedToFourBytes) {
    struct Case {
        int width, height, stride, padding, size;
    };
    const Case cases[] = {
        {1, 1, 4, 1, 4}, {2, 1, 8, 2, 8}, {3, 2, 12, 3, 24}, {4, 3, 12, 0, 36}, {5, 1, 16, 1, 16}, {0, 10, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        EXPECT_EQ(row_stride(c.width), c.stride);
        EXPECT_EQ(row_padding(c.width), c.padding);
        EXPECT_EQ(image_size(c.width, c.height), c.size);
        EXPECT_EQ(PixelImage(c.width, c.height).bytes().size(), static_cast<std::size_t>(c.size));
    }
}

TEST(Grayscale, WeighsEachChannelAndTruncatesEachProduct) {
    struct Case {
        const char* name;
        Bgr in;
        int out;
    };
    const Case cases[] = {
        {"red", {0, 0, 255}, 76},
        {"green", {0, 255, 0}, 150},
        {"blue", {255, 0, 0}, 28},
        {"white", {255, 255, 255}, 254},
        {"black", {0, 0, 0}, 0},
        {"grey 100", {100, 100, 100}, 100},
        {"frame body", {220, 222, 220}, 66 + 130 + 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PixelImage image = filled(3, 2, c.in);
        grayscale(image.view());
        EXPECT_EQ(image.view().get(2, 1), grey(c.out));
    }
}

TEST(Grayscale, LeavesRowPaddingAlone) {
    PixelImage image = filled(3, 2, {10, 20, 30});
    auto view = image.view();
    for (int y = 0; y < 2; ++y) {
        std::fill_n(view.row(y) + 9, 3, std::uint8_t{0xAB});
    }
    grayscale(view);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(view.row(y)[9], 0xAB);
        EXPECT_EQ(view.row(y)[11], 0xAB);
    }
}

TEST(Filters, PerChannelTables) {
    struct Case {
        const char* name;
        void (*apply)(const PixelView&);
        int in, out;
    };
    const Case cases[] = {
        {"brighten dark", [](const PixelView& v) { brightness(v, 128); }, 0, 127},
        {"brighten white", [](const PixelView& v) { brightness(v, 128); }, 255, 255},
        {"darken", [](const PixelView& v) { brightness(v, -128); }, 200, 100},
        {"contrast low end clamps", [](const PixelView& v) { contrast(v, 128); }, 0, 0},
        {"contrast high", [](const PixelView& v) { contrast(v, 128); }, 200, 236},
        {"contrast middle", [](const PixelView& v) { contrast(v, 128); }, 127, 127},
        {"contrast 100 rounds toward zero", [](const PixelView& v) { contrast(v, 100); }, 120, 117},
        {"invert", [](const PixelView& v) { invert(v); }, 55, 200},
        {"tint clamps", [](const PixelView& v) { color_tint(v, 100, 100, 100); }, 200, 255},
        {"colorize", [](const PixelView& v) { colorize(v, 200, 200, 200, std::nullopt); }, 10, 18},
        {"emboss of a flat image", [](const PixelView& v) { emboss(v); }, 90, 127},
        {"sharpen of a flat image", [](const PixelView& v) { sharpen(v, 2); }, 90, 90},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PixelImage image = filled(4, 3, grey(c.in));
        c.apply(image.view());
        EXPECT_EQ(image.view().get(1, 1), grey(c.out));
    }
}

TEST(Filters, SaturationKeepsAtFullAndGreysAtZero) {
    struct Case {
        int amount;
        Bgr out;
    };
    const Case cases[] = {{256, {30, 60, 90}}, {0, {60, 60, 60}}, {512, {0, 60, 120}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        PixelImage image = filled(2, 2, {30, 60, 90});
        saturation(image.view(), c.amount);
        EXPECT_EQ(image.view().get(0, 0), c.out);
    }
}

TEST(Filters, ColorizeAndAlphaBlendSkipTheirKeyColour) {
    PixelImage image = filled(2, 1, {10, 10, 10});
    image.view().set(1, 0, {1, 2, 3});
    colorize(image.view(), 200, 192, 192, Bgr{1, 2, 3});
    EXPECT_EQ(image.view().get(0, 0), (Bgr{10, 10, 18}));
    EXPECT_EQ(image.view().get(1, 0), (Bgr{1, 2, 3}));

    PixelImage target = filled(2, 1, {0, 0, 0});
    PixelImage source = filled(2, 1, {200, 100, 0});
    source.view().set(0, 0, {9, 9, 9});
    alpha_blend(target.view(), source.view(), 128, Bgr{9, 9, 9});
    EXPECT_EQ(target.view().get(0, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(target.view().get(1, 0), (Bgr{100, 50, 0}));
}

TEST(Filters, MaskTurnsTheColourBlackAndTheRestWhite) {
    PixelImage image = filled(2, 1, {1, 2, 3});
    image.view().set(1, 0, {4, 5, 6});
    mask(image.view(), {1, 2, 3});
    EXPECT_EQ(image.view().get(0, 0), grey(0));
    EXPECT_EQ(image.view().get(1, 0), grey(255));
}

TEST(Filters, FlipMirrorsEitherWay) {
    PixelImage image(3, 2);
    const auto v = image.view();
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            v.set(x, y, grey(10 * y + x));
        }
    }
    flip(v, true);
    EXPECT_EQ(v.get(0, 0), grey(2));
    EXPECT_EQ(v.get(2, 1), grey(10));
    flip(v, false);
    EXPECT_EQ(v.get(0, 0), grey(12));
    EXPECT_EQ(v.get(2, 1), grey(0));
}

TEST(Filters, BlurAveragesTheFourDiagonalsClampedToTheImage) {
    PixelImage image = filled(3, 3, grey(0));
    image.view().set(1, 1, grey(255));
    blur(image.view(), 1);
    EXPECT_EQ(image.view().get(0, 0), grey(63));  // its clamped diagonals include the centre
    EXPECT_EQ(image.view().get(1, 1), grey(0));
    EXPECT_EQ(image.view().get(1, 0), grey(0));
}

TEST(Filters, SharpenLiftsASpikeAgainstItsNeighbours) {
    PixelImage image = filled(3, 3, grey(50));
    image.view().set(1, 1, grey(100));
    sharpen(image.view(), 1);
    EXPECT_EQ(image.view().get(1, 1), grey(150));  // (256 * 100 - 16 * 400) / 128
    EXPECT_EQ(image.view().get(0, 0), grey(43));   // (256 * 50 - 16 * 450) / 128, toward zero
}

TEST(Filters, SpongeWithRadiusZeroKeepsTheImage) {
    PixelImage image = filled(3, 3, grey(0));
    image.view().set(2, 1, grey(7));
    std::minstd_rand random(1);
    sponge(image.view(), 0, random);
    EXPECT_EQ(image.view().get(2, 1), grey(7));
    EXPECT_EQ(image.view().get(1, 1), grey(0));
}

TEST(Filters, WaveShiftsRowsWithOrWithoutWrapping) {
    struct Case {
        bool wrap;
        int row1[4];
    };
    // Row 1 with a period of 1 and amplitude 2 shifts by round(2 sin 1) = 2 pixels; row 0 never moves.
    const Case cases[] = {{true, {2, 3, 0, 1}}, {false, {0, 0, 0, 1}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wrap);
        PixelImage image(4, 2);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 4; ++x) {
                image.view().set(x, y, grey(x));
            }
        }
        wave(image.view(), 2, 1, 0, c.wrap);
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(image.view().get(x, 0), grey(x));
            EXPECT_EQ(image.view().get(x, 1), grey(c.row1[x]));
        }
    }
}

TEST(Filters, RotateTakesNearestPixelsAndFillsWithTheTopLeftColour) {
    PixelImage image(3, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            image.view().set(x, y, grey(10 * y + x + 1));
        }
    }
    PixelImage half_turn(image.view());
    rotate(half_turn.view(), 1, 1, 180);
    EXPECT_EQ(half_turn.view().get(0, 0), grey(23));
    EXPECT_EQ(half_turn.view().get(2, 1), grey(11));

    rotate(image.view(), 0, 0, 90);
    EXPECT_EQ(image.view().get(0, 0), grey(1));
    EXPECT_EQ(image.view().get(2, 0), grey(1));  // its source lies outside: the top-left colour
}

TEST(Copying, CopyRectClipsToBothImages) {
    PixelImage source(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            source.view().set(x, y, grey(10 * y + x));
        }
    }
    PixelImage target = filled(3, 3, grey(255));
    copy_rect(source.view(), {-1, 2, 4, 4}, target.view(), 1, -1);
    // Source column 0 lands on target column 2 and source row 3 on target row 0; the rest is clipped.
    EXPECT_EQ(target.view().get(2, 0), grey(30));
    EXPECT_EQ(target.view().get(1, 0), grey(255));
    EXPECT_EQ(target.view().get(2, 1), grey(255));
}

TEST(Copying, StretchRepeatsNearestPixels) {
    PixelImage source(2, 1);
    source.view().set(0, 0, grey(1));
    source.view().set(1, 0, grey(2));
    PixelImage target = filled(5, 1, grey(9));
    stretch_rect(source.view(), {0, 0, 2, 1}, target.view(), {1, 0, 4, 1});
    const int expected[] = {9, 1, 1, 2, 2};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(target.view().get(x, 0), grey(expected[x]));
    }
    stretch_rect(source.view(), {0, 0, 2, 1}, target.view(), {0, 0, -3, 1});
    EXPECT_EQ(target.view().get(0, 0), grey(9));
}

TEST(Copying, SmoothStretchMixesNeighboursInFixedPoint) {
    PixelImage source(2, 1);
    source.view().set(1, 0, grey(255));
    PixelImage target(4, 1);
    smooth_stretch(source.view(), target.view());
    const int expected[] = {0, 63, 127, 191};  // steps of 32768 / 4
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(target.view().get(x, 0), grey(expected[x]));
    }
}

TEST(BitmapFile, HeaderAndBottomUpPaddedRows) {
    PixelImage image(1, 2);
    image.view().set(0, 0, {1, 2, 3});
    image.view().set(0, 1, {4, 5, 6});
    const std::vector<std::uint8_t> expected = {
        'B', 'M', 62, 0, 0, 0, 0, 0, 0,    0,    54, 0, 0,    0,            // file header: size 54 + 2 rows of 4
        40,  0,   0,  0, 1, 0, 0, 0, 2,    0,    0,  0, 1,    0,    24, 0,  // info header: 1 x 2, 1 plane, 24 bits
        0,   0,   0,  0, 8, 0, 0, 0, 0x13, 0x0B, 0,  0, 0x13, 0x0B, 0,  0,
        0,   0,   0,  0, 0, 0, 0, 0, 4,    5,    6,  0, 1,    2,    3,  0,  // bottom row first
    };
    EXPECT_EQ(encode_bmp(image.view()), expected);
}

// A bitmap file built from the documented layout: file header, 40-byte info header, colour table, pixels.
struct BmpFile {
    std::int32_t width = 2;
    std::int32_t height = 2;
    std::uint16_t bit_count = 24;
    std::uint32_t compression = 0;
    std::uint32_t image_bytes = 0;
    std::uint32_t colours_used = 0;
    std::uint32_t table_entries = 0;  // colour table written
    std::uint32_t pixel_bytes = 16;   // pixel data written

    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out;
        auto put = [&out](std::uint32_t v, int n) {
            for (int i = 0; i < n; ++i) {
                out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
            }
        };
        const std::uint32_t offset = 14 + 40 + 4 * table_entries;
        out = {'B', 'M'};
        put(offset + pixel_bytes, 4);
        put(0, 4);
        put(offset, 4);
        put(40, 4);
        put(static_cast<std::uint32_t>(width), 4);
        put(static_cast<std::uint32_t>(height), 4);
        put(1, 2);
        put(bit_count, 2);
        put(compression, 4);
        put(image_bytes, 4);
        put(0, 4);  // resolution
        put(0, 4);
        put(colours_used, 4);
        put(0, 4);
        out.resize(out.size() + 4 * table_entries + pixel_bytes, 0x55);
        return out;
    }
};

TEST(BitmapFile, LayoutOfAFileThatHoldsWhatItsHeadersClaim) {
    struct Case {
        const char* name;
        BmpFile file;
        int height;
        std::size_t pixels_offset;
    };
    const Case cases[] = {
        {"24 bits, bottom-up", {}, 2, 54},
        {"24 bits, top-down", {.height = -2}, 2, 54},
        {"8 bits with a full colour table", {.bit_count = 8, .table_entries = 256, .pixel_bytes = 8}, 2, 54 + 1024},
        {"4 bits with the colours it uses",
         {.bit_count = 4, .colours_used = 3, .table_entries = 3, .pixel_bytes = 8},
         2,
         54 + 12},
        {"run-length 8 bits",
         {.bit_count = 8, .compression = 1, .image_bytes = 6, .table_entries = 256, .pixel_bytes = 6},
         2,
         54 + 1024},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint8_t> file = c.file.bytes();
        const std::optional<BmpLayout> layout = bmp_layout(file.data(), file.size());
        ASSERT_TRUE(layout.has_value());
        EXPECT_EQ(layout->width, 2);
        EXPECT_EQ(layout->height, c.height);
        EXPECT_EQ(layout->bit_count, c.file.bit_count);
        EXPECT_EQ(layout->info_offset, 14u);
        EXPECT_EQ(layout->pixels_offset, c.pixels_offset);
    }
}

TEST(BitmapFile, HeadersThatClaimMoreThanTheFileHoldsAreRefused) {
    struct Case {
        const char* name;
        BmpFile file;
    };
    const Case cases[] = {
        {"pixels cut short", {.pixel_bytes = 15}},
        {"a huge image in a small file", {.width = 1000, .height = 1000}},
        {"more rows than int can count", {.width = 30000, .height = 30000}},
        {"the lowest height has no positive twin", {.height = std::numeric_limits<std::int32_t>::min()}},
        {"no width", {.width = 0}},
        {"no height", {.height = 0, .pixel_bytes = 0}},
        {"colour table cut short", {.bit_count = 8, .table_entries = 100, .pixel_bytes = 8}},
        {"more colours than the depth has",
         {.bit_count = 4, .colours_used = 17, .table_entries = 17, .pixel_bytes = 8}},
        {"an unknown depth", {.bit_count = 7}},
        {"an unknown compression", {.compression = 4}},
        {"run-length data beyond the file",
         {.bit_count = 8, .compression = 1, .image_bytes = 600, .table_entries = 256, .pixel_bytes = 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint8_t> file = c.file.bytes();
        EXPECT_FALSE(bmp_layout(file.data(), file.size()).has_value());
    }
    std::vector<std::uint8_t> file = BmpFile{}.bytes();
    file[1] = 'A';
    EXPECT_FALSE(bmp_layout(file.data(), file.size()).has_value()) << "not a bitmap file";
    file = BmpFile{}.bytes();
    file[14] = 12;  // the old 12-byte core header
    EXPECT_FALSE(bmp_layout(file.data(), file.size()).has_value()) << "core header";
    file = BmpFile{}.bytes();
    EXPECT_FALSE(bmp_layout(file.data(), 53).has_value()) << "headers cut short";
}

TEST(PixelBuffer, SizesWhoseBytesIntCannotCountAreNoImage) {
    EXPECT_TRUE(image_size_fits(1, 1));
    EXPECT_TRUE(image_size_fits(1000, 1000));
    EXPECT_TRUE(image_size_fits(26000, 27000));  // 2 106 000 000 bytes
    EXPECT_FALSE(image_size_fits(27000, 27000));
    EXPECT_FALSE(image_size_fits(std::numeric_limits<int>::max(), 1));
    EXPECT_FALSE(image_size_fits(0, 10));
    EXPECT_FALSE(image_size_fits(10, -1));
}

}  // namespace
}  // namespace vistrel::pixels
