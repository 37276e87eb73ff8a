#include "components/picture_button_layout.h"

#include <gtest/gtest.h>

#include "printers.h"

namespace vistrel {
namespace {

TEST(PictureButtonBevel, FollowsBorderStyleAndMouseState) {
    struct Case {
        TzqBorderStyle style;
        Bevel leave, enter, down;
    };
    const Case cases[] = {
        {cbsNone, Bevel::none, Bevel::none, Bevel::none},
        {cbsFlat, Bevel::none, Bevel::raised, Bevel::sunken},
        {cbsSingle, Bevel::raised, Bevel::raised, Bevel::sunken},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << int{c.style});
        EXPECT_EQ(bevel_for(c.style, msLeave), c.leave);
        EXPECT_EQ(bevel_for(c.style, msEnter), c.enter);
        EXPECT_EQ(bevel_for(c.style, msDown), c.down);
    }
}

TEST(PicturePlacement, PlacesByDisplayMode) {
    const PixelRect button{0, 0, 75, 25};
    struct Case {
        const char* name;
        TDisplayMode mode;
        PixelRect area;
        int width, height;
        std::vector<PixelRect> destinations;
    };
    const Case cases[] = {
        {"normal at the top-left", dmNormal, button, 32, 32, {{0, 0, 32, 32}}},
        {"centred", dmCenter, button, 32, 16, {{21, 4, 53, 20}}},
        {"centred, larger than the button, truncated toward zero", dmCenter, button, 88, 68, {{-6, -21, 82, 47}}},
        {"tiled past the right and bottom",
         dmTile,
         button,
         32,
         16,
         {{0, 0, 32, 16}, {32, 0, 64, 16}, {64, 0, 96, 16}, {0, 16, 32, 32}, {32, 16, 64, 32}, {64, 16, 96, 32}}},
        {"stretched onto the area", dmStretch, button, 32, 16, {button}},
        {"empty picture", dmCenter, button, 0, 16, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(picture_destinations(c.mode, c.area, c.width, c.height), c.destinations);
    }
}

TEST(PicturePlacement, OffsetsMoveEachSide) {
    EXPECT_EQ(offset_rect({0, 0, 75, 25}, {1, -2, 3, 4}), (PixelRect{1, -2, 78, 29}));
}

TEST(CaptionLayout, PlacesTextAndBoxByAlignment) {
    struct Case {
        const char* name;
        CaptionMetrics metrics;
        PixelPoint text, box;
    };
    const Case cases[] = {
        {"centred with a box", {75, 25, 40, 12, true, 13, CaptionAlignment::center}, {24, 6}, {10, 6}},
        {"left with a box", {75, 25, 40, 12, true, 13, CaptionAlignment::left}, {15, 6}, {1, 6}},
        // The box stands right of the text: text ends at 60, box at W - 13 - 1.
        {"right with a box", {75, 25, 40, 12, true, 13, CaptionAlignment::right}, {20, 6}, {61, 6}},
        {"centred without a box", {75, 25, 40, 12, false, 13, CaptionAlignment::center}, {18, 6}, {17, 6}},
        {"right without a box", {75, 25, 40, 12, false, 13, CaptionAlignment::right}, {33, 6}, {74, 6}},
        {"odd heights halve with truncation", {75, 32, 40, 13, true, 16, CaptionAlignment::left}, {18, 9}, {1, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CaptionLayout layout = caption_layout(c.metrics);
        EXPECT_EQ(layout.text, c.text);
        EXPECT_EQ(layout.box, c.box);
    }
    const CaptionLayout sized = caption_layout({75, 25, 40, 12, true, 13, CaptionAlignment::center});
    EXPECT_EQ(sized.auto_width, 56);
    EXPECT_EQ(sized.auto_height, 14);
}

TEST(CheckMarks, FrameControlStates) {
    struct Case {
        TCheckStyle style;
        bool checked;
        bool enabled;
        unsigned state;
    };
    const Case cases[] = {
        {csPushButton, false, true, 0x0010}, {csPushButton, true, true, 0x0210},   {csCheckBox, false, true, 0x0000},
        {csCheckBox, true, true, 0x0400},    {csRadioButton, false, true, 0x0004}, {csRadioButton, true, true, 0x0404},
        {csCheckBox, true, false, 0x0500},   {csPushButton, false, false, 0x0110},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << int{c.style} << " checked " << c.checked << " enabled "
                                        << c.enabled);
        EXPECT_EQ(check_frame_state(c.style, c.checked, c.enabled), c.state);
    }
}

TEST(CheckMarks, DiamondCornersInTheSquare) {
    const DiamondShape d = diamond_shape({10, 20, 23, 33});
    EXPECT_EQ(d.upper_left, (std::array<PixelPoint, 3>{{{16, 20}, {10, 26}, {16, 32}}}));
    EXPECT_EQ(d.lower_right, (std::array<PixelPoint, 3>{{{16, 32}, {22, 26}, {16, 20}}}));
    EXPECT_EQ(d.fill, (std::array<PixelPoint, 4>{{{16, 21}, {21, 26}, {16, 31}, {11, 26}}}));
}

}  // namespace
}  // namespace vistrel
