#include "components/Zqbitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

namespace vistrel {
namespace {

using pixels::Bgr;

std::unique_ptr<TZQBitmap> blank(int width, int height, TColor fill = kZQNoColor) {
    auto image = std::make_unique<TZQBitmap>();
    image->FillColor = fill;
    image->LoadBlank(width, height);
    return image;
}

TEST(ZQBitmap, LoadBlankLaysOutTheSection) {
    struct Case {
        const char* name;
        int width, height;
        bool empty;
        int stride, size;
    };
    const Case cases[] = {
        {"zero width", 0, 10, true, 0, 0},
        {"3 x 2", 3, 2, false, 12, 24},
        {"4 x 1", 4, 1, false, 12, 12},
        {"more bytes than int counts", 27000, 27000, true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TZQBitmap image;
        image.LoadBlank(c.width, c.height);
        EXPECT_EQ(image.Empty(), c.empty);
        EXPECT_EQ(image.ImageSize(), c.size);
        if (!c.empty) {
            EXPECT_EQ(image.RowStride(), c.stride);
            EXPECT_EQ(image.Rows()[1 % c.height] - image.Rows()[0], (1 % c.height) * c.stride);
            EXPECT_EQ(image.View().get(c.width - 1, c.height - 1), (Bgr{0, 0, 0}));  // starts black
            EXPECT_NE(image.Canvas().Handle(), nullptr);
        }
        image.CleanUp();
        EXPECT_TRUE(image.Empty());
        EXPECT_EQ(image.Canvas().Handle(), nullptr);
    }
}

TEST(ZQBitmap, CanvasAndPixelsAreTheSameImage) {
    auto image_owner = blank(5, 3, 0x0000FF);  // pure red
    TZQBitmap& image = *image_owner;
    EXPECT_EQ(image.View().get(4, 2), (Bgr{0, 0, 255}));
    image.Canvas().Brush().SetColor(RGB(0, 255, 0));
    image.Canvas().FillRect({1, 1, 2, 2});
    EXPECT_EQ(image.View().get(1, 1), (Bgr{0, 255, 0}));
    image.Grayscale();
    EXPECT_EQ(image.View().get(0, 0), (Bgr{76, 76, 76}));
    EXPECT_EQ(GetPixel(image.Canvas().Handle(), 1, 1), RGB(150, 150, 150));
}

TEST(ZQBitmap, DrawsOneToOneOrStretched) {
    auto source_owner = blank(2, 2);
    TZQBitmap& source = *source_owner;
    source.View().set(0, 0, {10, 20, 30});
    source.View().set(1, 1, {40, 50, 60});
    struct Case {
        const char* name;
        RECT rect;
        POINT probe;
        Bgr expected;
    };
    const Case cases[] = {
        {"own size", {1, 1, 3, 3}, {2, 2}, {40, 50, 60}},
        {"doubled", {0, 0, 4, 4}, {3, 3}, {40, 50, 60}},
        {"doubled, top-left block", {0, 0, 4, 4}, {1, 1}, {10, 20, 30}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto target_owner = blank(4, 4, 0xFFFFFF);
        TZQBitmap& target = *target_owner;
        target.Canvas().StretchDraw(c.rect, source);
        EXPECT_EQ(target.View().get(c.probe.x, c.probe.y), c.expected);
    }
}

TEST(ZQBitmap, TransparentDrawingKeepsWhatIsUnderTheKeyColour) {
    auto glyph_owner = blank(2, 1, RGB(255, 0, 255));
    TZQBitmap& glyph = *glyph_owner;
    glyph.View().set(1, 0, {1, 2, 3});
    glyph.SetTransparent(true);  // the key is the top-left colour
    auto target_owner = blank(2, 1, RGB(9, 9, 9));
    TZQBitmap& target = *target_owner;
    target.Canvas().Draw(0, 0, glyph);
    EXPECT_EQ(target.View().get(0, 0), (Bgr{9, 9, 9}));
    EXPECT_EQ(target.View().get(1, 0), (Bgr{1, 2, 3}));
}

TEST(ZQBitmap, CopiesSleepAndStreamsKeepThePixels) {
    auto image_owner = blank(3, 2, RGB(1, 2, 3));
    TZQBitmap& image = *image_owner;
    image.View().set(2, 1, {7, 8, 9});
    auto same = [&](TZQBitmap& other) {
        return other.Width() == 3 && other.Height() == 2 && other.View().get(2, 1) == Bgr{7, 8, 9} &&
               other.View().get(0, 0) == Bgr{3, 2, 1};
    };
    auto copy = image.Clone();
    EXPECT_TRUE(same(static_cast<TZQBitmap&>(*copy)));

    std::stringstream stream;
    image.SaveToStream(stream);
    TZQBitmap loaded;
    ASSERT_TRUE(loaded.LoadFromStream(stream));
    EXPECT_TRUE(same(loaded));

    image.Sleep();
    EXPECT_TRUE(image.Empty());
    EXPECT_TRUE(image.Sleeping());
    image.Wake();
    EXPECT_TRUE(same(image));
}

TEST(ZQBitmap, StreamsThatClaimMoreThanTheyHoldAreRefused) {
    auto image_owner = blank(3, 2, RGB(1, 2, 3));
    std::stringstream saved;
    image_owner->SaveToStream(saved);
    const std::string file = saved.str();
    auto set_u32 = [](std::string& bytes, std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
        }
    };
    struct Case {
        const char* name;
        std::string bytes;
    };
    std::string tall = file;
    set_u32(tall, 22, 100000);  // 100 000 rows in a file of two
    std::string late = file;
    set_u32(late, 10, static_cast<std::uint32_t>(file.size()) - 4);  // pixels start near the end
    const Case cases[] = {
        {"pixels cut short", file.substr(0, file.size() - 1)},
        {"more rows than the file holds", tall},
        {"pixels that start too late", late},
        {"headers only", file.substr(0, 54)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TZQBitmap loaded;
        loaded.LoadBlank(1, 1);
        std::stringstream stream(c.bytes);
        EXPECT_FALSE(loaded.LoadFromStream(stream));
        EXPECT_EQ(loaded.Width(), 1);  // the image it had stays
    }
}

TEST(ZQBitmap, ReadsAPaletteBitmapFromTheResources) {
    TBitmap picture;
    ASSERT_TRUE(picture.LoadFromResourceName(GetModuleHandleW(nullptr), L"bkmessagebox"));  // any letter case
    TZQBitmap image;
    image.LoadFromBitmap(picture);
    EXPECT_EQ(image.Width(), 250);
    EXPECT_EQ(image.Height(), 100);
    EXPECT_EQ(image.PixelFormat, 8);
    EXPECT_EQ(image.View().get(125, 50), (Bgr{220, 222, 220}));  // the body
}

TEST(ZQBitmap, AlphaBlendNeedsTheSameSizeUnlessStretched) {
    auto image_owner = blank(4, 4);
    TZQBitmap& image = *image_owner;
    auto other_owner = blank(2, 2, RGB(200, 200, 200));
    TZQBitmap& other = *other_owner;
    try {
        image.AlphaBlend(other, 128, false);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "In Alpha Blend, Blend Bitmap must be same dimensions as Current Bitmap");
    }
    image.AlphaBlend(other, 128, true);
    EXPECT_EQ(image.View().get(3, 3), (Bgr{100, 100, 100}));
}

}  // namespace
}  // namespace vistrel
