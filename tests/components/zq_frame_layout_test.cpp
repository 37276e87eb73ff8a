#include "components/zq_frame_layout.h"

#include <gtest/gtest.h>

#include "frame_reference.h"

namespace vistrel::frame {
namespace {

using pixels::Bgr;
using pixels::PixelImage;

constexpr Bgr kCentre{1, 2, 3};

// Every pixel of the picture tells where it came from, except the middle third, which is one colour.
PixelImage position_picture(int pw, int ph) {
    PixelImage picture(pw, ph);
    for (int y = 0; y < ph; ++y) {
        for (int x = 0; x < pw; ++x) {
            const bool centre = x >= pw / 3 && x < 2 * (pw / 3) && y >= ph / 3 && y < 2 * (ph / 3);
            picture.view().set(x, y,
                               centre ? kCentre
                                      : Bgr{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                            static_cast<std::uint8_t>(0x80 | (x >> 8))});
        }
    }
    return picture;
}

TEST(NineSlice, MainWindowSizeFromTheDefaultPictureSize) {
    const auto blits = nine_slice(250, 100, 497, 357);
    ASSERT_GE(blits.size(), 5u);
    EXPECT_EQ(blits[0], (Blit{{83, 33, 83, 33}, {125, 50, 247, 257}}));
    EXPECT_EQ(blits[1], (Blit{{0, 0, 125, 50}, {0, 0, 125, 50}}));
    EXPECT_EQ(blits[2], (Blit{{0, 50, 125, 50}, {0, 307, 125, 50}}));
    EXPECT_EQ(blits[3], (Blit{{125, 0, 125, 50}, {372, 0, 125, 50}}));
    EXPECT_EQ(blits[4], (Blit{{125, 50, 125, 50}, {372, 307, 125, 50}}));
    // Rows 50, 75, ..., 300 on both sides, then columns 125, 150, ..., 350 on top and bottom.
    EXPECT_EQ(blits.size(), 5u + 2 * 11 + 2 * 10);
    EXPECT_EQ(blits[5 + 2 * 10].to, (pixels::Rect{0, 300, 125, 25}));
    EXPECT_EQ(blits.back().to, (pixels::Rect{350, 307, 25, 50}));
}

TEST(NineSlice, ComposedPixelsComeFromTheRightPlaces) {
    struct Case {
        const char* name;
        int pw, ph, w, h;
    };
    const Case cases[] = {
        {"main window", 250, 100, 497, 357},
        {"message dialog", 250, 100, 305, 126},
        {"dialog at the picture's size", 250, 100, 250, 100},
        {"odd picture", 61, 51, 200, 140},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PixelImage picture = position_picture(c.pw, c.ph);
        PixelImage frame(c.w, c.h);
        compose(picture.view(), frame.view());
        int wrong = 0;
        for (int y = 0; y < c.h && wrong < 5; ++y) {
            for (int x = 0; x < c.w && wrong < 5; ++x) {
                const auto want = expected_frame_pixel(picture.view(), x, y, c.w, c.h, kCentre);
                if (want && !(frame.view().get(x, y) == *want)) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
                    ++wrong;
                }
            }
        }
    }
}

TEST(NineSlice, AnEmptyPictureLeavesTheFrameAlone) {
    PixelImage frame(10, 10);
    pixels::fill(frame.view(), {5, 5, 5});
    compose(PixelImage().view(), frame.view());
    EXPECT_EQ(frame.view().get(4, 4), (Bgr{5, 5, 5}));
}

TEST(HitZones, ZonesCursorsAndCommands) {
    struct Case {
        const char* name;
        int x, y;
        bool sizeable;
        TDrag_Mode_Type zone;
        int cursor;
        unsigned command;
    };
    constexpr int W = 497, H = 357;
    const Case cases[] = {
        {"title band", 100, 10, false, dtMove, -21, 0xF012},
        {"last title row", 100, 24, false, dtMove, -21, 0xF012},
        {"below the title band", 100, 25, false, dtDefault, 0, 0},
        {"corner of a fixed frame moves", 3, 3, false, dtMove, -21, 0xF012},
        {"left edge of a fixed frame", 0, 200, false, dtDefault, 0, 0},
        {"corner wins over edges", 3, 3, true, dtLeftTop, -8, 0xF004},
        {"top edge wins over the title", 100, 2, true, dtTop, -7, 0xF003},
        {"title below the top edge", 100, 4, true, dtMove, -21, 0xF012},
        {"right top", W - 24, 24, true, dtRightTop, -6, 0xF005},
        {"left bottom", 24, H - 24, true, dtLeftBottom, -6, 0xF007},
        {"right bottom", W, H, true, dtRightBottom, -8, 0xF008},
        {"left edge", 3, 200, true, dtLeft, -9, 0xF001},
        {"inside the left edge", 4, 200, true, dtDefault, 0, 0},
        {"right edge", W - 3, 200, true, dtRight, -9, 0xF002},
        {"bottom edge", 200, H - 3, true, dtBottom, -7, 0xF006},
        {"body", 200, 200, true, dtDefault, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TDrag_Mode_Type zone = hit_zone(c.x, c.y, W, H, c.sizeable);
        EXPECT_EQ(zone, c.zone);
        EXPECT_EQ(zone_cursor(zone), c.cursor);
        EXPECT_EQ(zone_command(zone), c.command);
    }
}

TEST(SystemButtons, PlacedFromTheRightSkippingHiddenOnes) {
    struct Case {
        const char* name;
        std::array<bool, 3> visible;
        std::array<int, 3> lefts;
    };
    const Case cases[] = {
        {"all three", {true, true, true}, {475, 458, 441}},
        {"minimise only", {false, false, true}, {-1, -1, 475}},
        {"close only", {true, false, false}, {475, -1, -1}},
        {"close and minimise", {true, false, true}, {475, -1, 458}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(system_button_lefts(497, c.visible), c.lefts);
    }
}

}  // namespace
}  // namespace vistrel::frame
