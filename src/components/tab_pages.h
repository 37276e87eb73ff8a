#pragma once

#include <optional>
#include <vector>

#include "components/picture_button_layout.h"

namespace vistrel {

/// The page that tab `tab_index` shows: pages whose tab is hidden have no tab and are skipped.
std::optional<int> page_of_tab(const std::vector<bool>& tab_visible, int tab_index);

/// Top-left corner of a caption of the given size centred in a tab.
PixelPoint centred_caption(PixelRect tab, int text_width, int text_height);

}  // namespace vistrel
