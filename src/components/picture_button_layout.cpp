#include "components/picture_button_layout.h"

namespace vistrel {

Bevel bevel_for(TzqBorderStyle style, TMouseState state) {
    static constexpr Bevel kTable[3][3] = {
        {Bevel::none, Bevel::none, Bevel::none},
        {Bevel::none, Bevel::raised, Bevel::sunken},
        {Bevel::raised, Bevel::raised, Bevel::sunken},
    };
    return kTable[style][state];
}

PixelRect offset_rect(PixelRect rect, const RegionOffset& offset) {
    return {rect.left + offset.left, rect.top + offset.top, rect.right + offset.right, rect.bottom + offset.bottom};
}

std::vector<PixelRect> picture_destinations(TDisplayMode mode, PixelRect area, int picture_width, int picture_height) {
    if (picture_width <= 0 || picture_height <= 0) {
        return {};
    }
    const auto at = [&](int x, int y) { return PixelRect{x, y, x + picture_width, y + picture_height}; };
    switch (mode) {
        case dmNormal:
            return {at(area.left, area.top)};
        case dmCenter:
            return {at((area.left + area.right - picture_width) / 2, (area.top + area.bottom - picture_height) / 2)};
        case dmTile: {
            std::vector<PixelRect> tiles;
            for (int y = area.top; y < area.bottom; y += picture_height) {
                for (int x = area.left; x < area.right; x += picture_width) {
                    tiles.push_back(at(x, y));
                }
            }
            return tiles;
        }
        case dmStretch:
            return {area};
    }
    return {};
}

CaptionLayout caption_layout(const CaptionMetrics& m) {
    const int box = m.has_check_box ? m.check_box_size : 0;
    const int total = box + m.text_width + 3;
    CaptionLayout layout;
    layout.auto_width = total;
    layout.auto_height = m.text_height + 2;
    layout.text.y = (m.button_height - m.text_height) / 2;
    layout.box.y = (m.button_height - m.check_box_size) / 2;
    switch (m.alignment) {
        case CaptionAlignment::center:
            layout.box.x = (m.button_width - total) / 2 + 1;
            layout.text.x = layout.box.x + box + 1;
            break;
        case CaptionAlignment::left:
            layout.box.x = 1;
            layout.text.x = box + 2;
            break;
        case CaptionAlignment::right:
            layout.text.x = m.button_width - total + 1;
            layout.box.x = m.button_width - box - 1;
            break;
    }
    return layout;
}

unsigned check_frame_state(TCheckStyle style, bool checked, bool enabled) {
    constexpr unsigned kButtonCheck = 0x0000;
    constexpr unsigned kButtonRadio = 0x0004;
    constexpr unsigned kButtonPush = 0x0010;
    constexpr unsigned kChecked = 0x0400;
    constexpr unsigned kPushed = 0x0200;
    constexpr unsigned kInactive = 0x0100;
    unsigned state = 0;
    switch (style) {
        case csPushButton:
            state = kButtonPush | (checked ? kPushed : 0);
            break;
        case csCheckBox:
            state = kButtonCheck | (checked ? kChecked : 0);
            break;
        case csRadioButton:
            state = kButtonRadio | (checked ? kChecked : 0);
            break;
        default:
            break;
    }
    return state | (enabled ? 0 : kInactive);
}

DiamondShape diamond_shape(PixelRect q) {
    const int h = (q.right - q.left) / 2;
    const int l = q.left;
    const int t = q.top;
    return {
        {{{l + h, t}, {l, t + h}, {l + h, q.bottom - 1}}},
        {{{l + h, q.bottom - 1}, {q.right - 1, t + h}, {l + h, t}}},
        {{{l + h, t + 1}, {q.right - 2, t + h}, {l + h, q.bottom - 2}, {l + 1, t + h}}},
    };
}

}  // namespace vistrel
