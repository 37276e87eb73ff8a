#include "components/tray_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace vistrel {
namespace {

TEST(TrayHint, MustStayUnder64BytesOfGbk) {
    struct Case {
        const char* name;
        std::wstring hint;
        bool fits;
    };
    const Case cases[] = {
        {"empty", L"", true},
        {"product name", L"Vistrel", true},
        {"63 ASCII", std::wstring(63, L'a'), true},
        {"64 ASCII", std::wstring(64, L'a'), false},
        {"31 Chinese and one ASCII", std::wstring(31, L'护') + L"x", true},
        {"32 Chinese", std::wstring(32, L'护'), false},
        {"63 euro signs, one byte each in GBK", std::wstring(63, L'€'), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(tray_hint_fits(c.hint), c.fits);
    }
}

TEST(TrayMenu, OpensFromTheWorkAreaBottomWhenTheCursorIsWithin300Pixels) {
    struct Case {
        int cursor_y;
        int top;
    };
    const Case cases[] = {{740, 740}, {441, 740}, {440, 440}, {100, 100}, {768, 740}, {1039, 740}, {1040, 1040}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cursor_y);
        EXPECT_EQ(tray_menu_top(c.cursor_y, 740), c.top);
    }
}

TEST(TrayAnimation, CyclesThroughTheImages) {
    int index = 0;
    std::vector<int> shown;
    for (int step = 0; step < 5; ++step) {
        index = next_animation_index(index, 3);
        shown.push_back(index);
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 0, 1, 2}));
    EXPECT_EQ(next_animation_index(7, 3), 0);
    EXPECT_EQ(next_animation_index(0, 0), 0);
}

}  // namespace
}  // namespace vistrel
