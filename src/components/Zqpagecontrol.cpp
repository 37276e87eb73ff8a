#include "components/Zqpagecontrol.h"

#include <vector>

#include "components/tab_pages.h"

namespace vistrel {

TzqPageControl::TzqPageControl(TComponent* owner) : TPageControl(owner) {}

void TzqPageControl::DrawTab(int tab_index, const RECT& rect, bool active) {
    std::vector<bool> tab_visible;
    tab_visible.reserve(static_cast<std::size_t>(PageCount()));
    for (int i = 0; i < PageCount(); ++i) {
        tab_visible.push_back(Pages(i)->TabVisible());
    }
    const std::optional<int> page = page_of_tab(tab_visible, tab_index);
    TCanvas& canvas = Canvas();
    canvas.FillRect(rect);
    TPageControl::DrawTab(tab_index, rect, active);
    if (!page) {
        return;
    }
    TTabSheet& sheet = *Pages(*page);
    canvas.Font().Assign(sheet.Font());
    const std::wstring caption = sheet.Caption();
    const SIZE extent = canvas.TextExtent(caption);
    const PixelPoint at = centred_caption({rect.left, rect.top, rect.right, rect.bottom}, extent.cx, extent.cy);
    canvas.TextOut(at.x, at.y, caption);
}

}  // namespace vistrel
