#pragma once

#include <cstddef>
#include <string_view>

namespace vistrel {

/// Whether a text may be the tray icon's tool tip (shorter than 64 bytes of GBK).
bool tray_hint_fits(std::wstring_view hint);

/// Vertical place of the tray menu: near the bottom of the work area it opens from that edge.
int tray_menu_top(int cursor_y, int work_area_bottom);

/// The image after `index` in an animation of `count` images.
int next_animation_index(int index, int count);

}  // namespace vistrel
