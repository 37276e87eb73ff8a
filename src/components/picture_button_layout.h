#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "components/offset_text.h"

namespace vistrel {

enum TDisplayMode : std::uint8_t { dmNormal, dmCenter, dmTile, dmStretch };
enum TzqBorderStyle : std::uint8_t { cbsNone, cbsFlat, cbsSingle };
enum TCheckStyle : std::uint8_t { csNone, csPushButton, csCheckBox, csRadioButton, csDiamond, csTrafficLight };
enum TMouseState : std::uint8_t { msLeave, msEnter, msDown };
enum TOffsetPoint : std::uint8_t { opLeft, opTop, opRight, opBottom };

/// The border relief a picture button shows.
enum class Bevel : std::uint8_t { none, sunken, raised };

enum class CaptionAlignment : std::uint8_t { left, right, center };

struct PixelPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

/// Relief of a border style in a mouse state.
Bevel bevel_for(TzqBorderStyle style, TMouseState state);

/// A rectangle with an offset added to each of its sides.
PixelRect offset_rect(PixelRect rect, const RegionOffset& offset);

/// Where a picture of the given size goes inside `area`: one rectangle per copy, of the picture's own size except
/// when stretched. Tiles at the right and bottom may reach past the area. Nothing for an empty picture.
std::vector<PixelRect> picture_destinations(TDisplayMode mode, PixelRect area, int picture_width, int picture_height);

/// What a picture button measures before it places its caption and check box.
struct CaptionMetrics {
    int button_width = 0;
    int button_height = 0;
    int text_width = 0;
    int text_height = 0;
    bool has_check_box = false;
    int check_box_size = 13;
    CaptionAlignment alignment = CaptionAlignment::center;
};

struct CaptionLayout {
    PixelPoint text;
    PixelPoint box;
    int auto_width = 0;  // width and height the button takes with AutoSize
    int auto_height = 0;
};

/// Places the caption and check box; with right alignment the box stands right of the text.
CaptionLayout caption_layout(const CaptionMetrics& m);

/// DrawFrameControl state of the check styles drawn by the system (push button, check box, radio button).
unsigned check_frame_state(TCheckStyle style, bool checked, bool enabled);

/// Outline and filling of the diamond check mark in the square `q`.
struct DiamondShape {
    std::array<PixelPoint, 3> upper_left;   // drawn first, in shadow when checked
    std::array<PixelPoint, 3> lower_right;  // continues from the last upper-left point
    std::array<PixelPoint, 4> fill;         // filled only when checked
};
DiamondShape diamond_shape(PixelRect q);

}  // namespace vistrel
