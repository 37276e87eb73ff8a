#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "components/color_shade.h"

namespace vistrel {

/// Sizes that the menu painter adds around a caption.
struct MenuMetrics {
    int height_ext = 10;
    int width_ext = 10;
    int text_indent = 5;
    int picture_width = 0;  // width of the picture strip on the left, 0 without one
};

struct MenuItemSize {
    int width = 0;
    int height = 0;

    friend bool operator==(const MenuItemSize&, const MenuItemSize&) = default;
};

/// A caption that stands for a separator line.
bool is_separator_caption(std::wstring_view caption);

/// Size of an item whose caption measures text_width x text_height; a separator keeps the width it was given.
MenuItemSize measure_menu_item(const MenuMetrics& metrics,
                               bool separator,
                               int text_width,
                               int text_height,
                               int given_width);

/// A caption cut at its first "&": the character after it is drawn underlined and the "&" itself not at all.
struct AcceleratorParts {
    std::wstring_view before;
    std::optional<wchar_t> accelerator;
    std::wstring_view after;
};
AcceleratorParts split_accelerator(std::wstring_view caption);

/// One drawing of a caption, offset from its place, in a plain colour or (when empty) the font's colour.
struct TextPass {
    int dx = 0;
    int dy = 0;
    std::optional<Rgb> color;

    friend bool operator==(const TextPass&, const TextPass&) = default;
};

/// How a caption is drawn: a disabled item is grey, embossed with white copies unless it is selected.
std::vector<TextPass> menu_text_passes(bool enabled, bool selected);

/// First row of the left picture to show beside an item, so the picture's bottom lines up with the menu's bottom.
int strip_source_top(int picture_height, int item_top, int visible_bottom);

}  // namespace vistrel
