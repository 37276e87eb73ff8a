#include "components/zq_frame_layout.h"

namespace vistrel::frame {

std::vector<Blit> nine_slice(int pw, int ph, int width, int height) {
    const int hw = (pw + 1) / 2;
    const int hh = (ph + 1) / 2;
    std::vector<Blit> blits;
    blits.push_back({{pw / 3, ph / 3, pw / 3, ph / 3}, {hw, hh, width - pw, height - ph}});
    blits.push_back({{0, 0, hw, hh}, {0, 0, hw, hh}});
    blits.push_back({{0, hh, hw, hh}, {0, height - hh, hw, hh}});
    blits.push_back({{hw, 0, hw, hh}, {width - hw, 0, hw, hh}});
    blits.push_back({{hw, hh, hw, hh}, {width - hw, height - hh, hw, hh}});
    for (int y = hh; y < height - hh; y += kEdgeTile) {
        blits.push_back({{0, hh, hw, kEdgeTile}, {0, y, hw, kEdgeTile}});
        blits.push_back({{hw, hh, hw, kEdgeTile}, {width - hw, y, hw, kEdgeTile}});
    }
    for (int x = hw; x < width - hw; x += kEdgeTile) {
        blits.push_back({{hw, 0, kEdgeTile, hh}, {x, 0, kEdgeTile, hh}});
        blits.push_back({{hw, hh, kEdgeTile, hh}, {x, height - hh, kEdgeTile, hh}});
    }
    return blits;
}

void compose(const pixels::PixelView& picture, const pixels::PixelView& target) {
    if (picture.empty()) {
        return;
    }
    for (const Blit& b : nine_slice(picture.width, picture.height, target.width, target.height)) {
        if (b.from.width == b.to.width && b.from.height == b.to.height) {
            pixels::copy_rect(picture, b.from, target, b.to.x, b.to.y);
        } else {
            pixels::stretch_rect(picture, b.from, target, b.to);
        }
    }
}

TDrag_Mode_Type hit_zone(int x, int y, int width, int height, bool sizeable) {
    auto within = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    const int w = width;
    const int h = height;
    if (sizeable) {
        struct Zone {
            TDrag_Mode_Type type;
            int x0, x1, y0, y1;
        };
        const Zone zones[] = {
            {dtLeftTop, 0, 24, 0, 24},
            {dtRightTop, w - 24, w, 0, 24},
            {dtLeftBottom, 0, 24, h - 24, h},
            {dtRightBottom, w - 24, w, h - 24, h},
            {dtLeft, 0, 3, 0, h},
            {dtRight, w - 3, w, 0, h},
            {dtTop, 0, w, 0, 3},
            {dtBottom, 0, w, h - 3, h},
        };
        for (const Zone& z : zones) {
            if (within(x, z.x0, z.x1) && within(y, z.y0, z.y1)) {
                return z.type;
            }
        }
    }
    if (within(x, 0, w) && within(y, 0, kTitleBand)) {
        return dtMove;
    }
    return dtDefault;
}

int zone_cursor(TDrag_Mode_Type zone) {
    constexpr int kCursors[] = {0, -8, -6, -6, -8, -9, -9, -7, -7, -21};
    return kCursors[zone];
}

unsigned zone_command(TDrag_Mode_Type zone) {
    constexpr unsigned kCommands[] = {0, 0xF004, 0xF005, 0xF007, 0xF008, 0xF001, 0xF002, 0xF003, 0xF006, 0xF012};
    return kCommands[zone];
}

std::array<int, 3> system_button_lefts(int width, const std::array<bool, 3>& visible) {
    std::array<int, 3> lefts{-1, -1, -1};
    int x = width - 22;
    for (std::size_t i = 0; i < 3; ++i) {
        if (visible[i]) {
            lefts[i] = x;
            x -= 17;
        }
    }
    return lefts;
}

}  // namespace vistrel::frame
