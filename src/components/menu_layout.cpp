#include "components/menu_layout.h"

namespace vistrel {

bool is_separator_caption(std::wstring_view caption) {
    return caption == L"-";
}

MenuItemSize measure_menu_item(const MenuMetrics& metrics,
                               bool separator,
                               int text_width,
                               int text_height,
                               int given_width) {
    if (separator) {
        return {given_width, 3};
    }
    return {metrics.picture_width + text_width + metrics.width_ext + metrics.text_indent,
            text_height + metrics.height_ext};
}

AcceleratorParts split_accelerator(std::wstring_view caption) {
    const std::size_t amp = caption.find(L'&');
    // A lone "&" at the very end underlines nothing: the caption is drawn as it stands.
    if (amp == std::wstring_view::npos || amp + 1 == caption.size()) {
        return {caption, std::nullopt, {}};
    }
    return {caption.substr(0, amp), caption[amp + 1], caption.substr(amp + 2)};
}

std::vector<TextPass> menu_text_passes(bool enabled, bool selected) {
    constexpr Rgb kWhite{255, 255, 255};
    constexpr Rgb kGrey{128, 128, 128};
    if (enabled) {
        return {{0, 0, std::nullopt}};
    }
    if (selected) {
        return {{0, 0, kGrey}};
    }
    return {{1, 1, kWhite}, {2, 2, kWhite}, {0, 0, kGrey}};
}

int strip_source_top(int picture_height, int item_top, int visible_bottom) {
    return picture_height + item_top - visible_bottom;
}

}  // namespace vistrel
