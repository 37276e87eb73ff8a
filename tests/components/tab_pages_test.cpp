#include "components/tab_pages.h"

#include <gtest/gtest.h>

#include "printers.h"

namespace vistrel {
namespace {

TEST(TabPages, TabIndexSkipsPagesWithHiddenTabs) {
    const std::vector<bool> visible{true, false, true, true};
    struct Case {
        int tab;
        std::optional<int> page;
    };
    for (const Case c : {Case{0, 0}, Case{1, 2}, Case{2, 3}, Case{3, std::nullopt}, Case{-1, std::nullopt}}) {
        SCOPED_TRACE(c.tab);
        EXPECT_EQ(page_of_tab(visible, c.tab), c.page);
    }
}

TEST(TabPages, CaptionIsCentredWithTruncatedHalves) {
    EXPECT_EQ(centred_caption({0, 0, 60, 20}, 25, 12), (PixelPoint{17, 4}));
    EXPECT_EQ(centred_caption({2, 2, 83, 22}, 72, 13), (PixelPoint{6, 5}));
}

}  // namespace
}  // namespace vistrel
