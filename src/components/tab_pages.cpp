#include "components/tab_pages.h"

namespace vistrel {

std::optional<int> page_of_tab(const std::vector<bool>& tab_visible, int tab_index) {
    int remaining = tab_index;
    for (std::size_t page = 0; page < tab_visible.size(); ++page) {
        if (tab_visible[page] && remaining-- == 0) {
            return static_cast<int>(page);
        }
    }
    return std::nullopt;
}

PixelPoint centred_caption(PixelRect tab, int text_width, int text_height) {
    return {(tab.left + tab.right - text_width) / 2, (tab.top + tab.bottom - text_height) / 2};
}

}  // namespace vistrel
