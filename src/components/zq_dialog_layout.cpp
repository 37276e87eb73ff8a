#include "components/zq_dialog_layout.h"

#include <algorithm>

namespace vistrel::dialog {
namespace {

// Standard sets, left to right.
struct StandardSet {
    int count;
    ButtonFace faces[3];
};
const StandardSet kSets[] = {
    {1, {{L"确定", 1}}},
    {2, {{L"确定", 1}, {L"取消", 2}}},
    {3, {{L"终止", 3}, {L"重试", 4}, {L"忽略", 5}}},
    {3, {{L"是", 6}, {L"否", 7}, {L"取消", 2}}},
    {2, {{L"是", 6}, {L"否", 7}}},
    {2, {{L"重试", 4}, {L"取消", 2}}},
};

}  // namespace

std::array<ButtonFace, 4> button_faces(unsigned type, const std::array<std::wstring, 4>& custom) {
    std::array<ButtonFace, 4> faces{};
    const unsigned set = button_set(type);
    if (set >= std::size(kSets)) {
        for (int i = 0; i < 4; ++i) {
            faces[static_cast<std::size_t>(i)] = {custom[static_cast<std::size_t>(i)], i};
        }
        return faces;
    }
    const StandardSet& s = kSets[set];
    for (int i = 0; i < s.count; ++i) {
        faces[static_cast<std::size_t>(i)] = s.faces[s.count - 1 - i];
    }
    return faces;
}

std::array<int, 4> creation_order(unsigned type) {
    const int d = default_button(type);
    std::array<int, 4> order{};
    for (int p = 0; p < 4; ++p) {
        order[static_cast<std::size_t>(p)] = ((d - p) % 4 + 4) % 4;
    }
    return order;
}

Size message_size(Size text, int icon_width, Size minimum, bool fourth_button_visible) {
    Size s{text.width + icon_width + 20, text.height + 100};
    s.width = std::max(s.width, minimum.width);
    s.height = std::max(s.height, minimum.height);
    if (fourth_button_visible && s.width < 300) {
        s.width = 300;
    }
    return s;
}

int widest_text(int work_area_width, int icon_width) {
    return work_area_width - icon_width - 20;  // the margins of message_size
}

Size fit_to(Size size, Size work_area) {
    return {std::min(size.width, work_area.width), std::min(size.height, work_area.height)};
}

int text_left(int dialog_width, int text_width, int icon_width) {
    return std::max((dialog_width - text_width) / 2, icon_width);
}

int text_top(int buttons_top, int icon_top, int text_height) {
    return (buttons_top + icon_top - text_height) / 2;
}

}  // namespace vistrel::dialog
