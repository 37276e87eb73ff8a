#pragma once

#include <array>
#include <vector>

#include "components/zq_pixels.h"

namespace vistrel::frame {

/// One step of the nine-slice composition: copy `from` to `to`, stretched when the sizes differ.
struct Blit {
    pixels::Rect from;
    pixels::Rect to;
    friend bool operator==(const Blit&, const Blit&) = default;
};

/// Length of the tiles that fill the edges between the corners.
inline constexpr int kEdgeTile = 25;

/// The blits, in drawing order, that compose a frame of width x height from a picture of pw x ph.
std::vector<Blit> nine_slice(int pw, int ph, int width, int height);

/// Runs the nine-slice composition from `picture` into `target` (whose size is the frame's).
void compose(const pixels::PixelView& picture, const pixels::PixelView& target);

/// Zones of the frame under the mouse, in the order of their values.
enum TDrag_Mode_Type {
    dtDefault,
    dtLeftTop,
    dtRightTop,
    dtLeftBottom,
    dtRightBottom,
    dtLeft,
    dtRight,
    dtTop,
    dtBottom,
    dtMove,
};

/// Height of the title band that moves the window (rows 0..kTitleBand inclusive).
inline constexpr int kTitleBand = 24;

/// The zone at (x, y) of a frame of width x height; edges and corners only when sizeable.
TDrag_Mode_Type hit_zone(int x, int y, int width, int height, bool sizeable);

/// Cursor shown over a zone, in the framework's cursor numbers.
int zone_cursor(TDrag_Mode_Type zone);

/// The system command (wParam of WM_SYSCOMMAND) a left press sends in a zone; 0 for none.
unsigned zone_command(TDrag_Mode_Type zone);

/// Left edges of the close, maximise and minimise buttons placed from the right (-1 for a hidden one).
std::array<int, 3> system_button_lefts(int width, const std::array<bool, 3>& visible);

}  // namespace vistrel::frame
