#pragma once

#include <optional>

#include "components/zq_frame_layout.h"

namespace vistrel::frame {

// Where each frame pixel comes from, worked out pixel by pixel: edge tiles of 25 start after the
// corners and may run into the far corner, which they cover; top and bottom tiles are drawn last.
// The centre is stretched: `centre` is its one colour when the test knows it, else nothing is expected.
// Pixels taken from beyond an odd picture's halves are not defined: none is expected there.
inline std::optional<pixels::Bgr> expected_frame_pixel(const pixels::PixelView& picture,
                                                       int x,
                                                       int y,
                                                       int w,
                                                       int h,
                                                       std::optional<pixels::Bgr> centre) {
    const int pw = picture.width, ph = picture.height;
    const int hw = (pw + 1) / 2, hh = (ph + 1) / 2;
    const int x_tiles_end = hw + (w - 2 * hw + kEdgeTile - 1) / kEdgeTile * kEdgeTile;
    const int y_tiles_end = hh + (h - 2 * hh + kEdgeTile - 1) / kEdgeTile * kEdgeTile;
    const bool top = y < hh, bottom = y >= h - hh, left = x < hw, right = x >= w - hw;
    const int corner_x = left ? x : hw + x - (w - hw);
    const int corner_y = top ? y : hh + y - (h - hh);
    auto source = [&](int sx, int sy) -> std::optional<pixels::Bgr> {
        if (sx >= pw || sy >= ph) {
            return std::nullopt;
        }
        return picture.get(sx, sy);
    };
    if ((top || bottom) && x >= hw && x < x_tiles_end) {
        return source(hw + (x - hw) % kEdgeTile, corner_y);
    }
    if ((left || right) && y >= hh && y < y_tiles_end) {
        return source(corner_x, hh + (y - hh) % kEdgeTile);
    }
    if ((left || right) && (top || bottom)) {
        return source(corner_x, corner_y);
    }
    return centre;
}

}  // namespace vistrel::frame
