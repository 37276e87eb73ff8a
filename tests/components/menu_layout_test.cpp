#include "components/menu_layout.h"

#include <gtest/gtest.h>

#include "printers.h"

namespace vistrel {
namespace {

TEST(MenuMeasure, CaptionPlusExtensionsAndAThinSeparator) {
    struct Case {
        const char* name;
        int picture_width;
        bool separator;
        MenuItemSize size;
    };
    const Case cases[] = {
        {"plain item", 0, false, {75, 22}},
        {"item beside a picture strip", 20, false, {95, 22}},
        {"separator keeps the width it was given", 20, true, {80, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MenuMetrics metrics;
        metrics.picture_width = c.picture_width;
        EXPECT_EQ(measure_menu_item(metrics, c.separator, 60, 12, 80), c.size);
    }
    EXPECT_TRUE(is_separator_caption(L"-"));
    EXPECT_FALSE(is_separator_caption(L"--"));
    EXPECT_FALSE(is_separator_caption(L""));
}

TEST(MenuAccelerator, UnderlinesOnlyTheCharacterAfterTheFirstAmpersand) {
    struct Case {
        std::wstring caption;
        std::wstring before;
        std::optional<wchar_t> accelerator;
        std::wstring after;
    };
    const Case cases[] = {
        {L"退出(&Q)", L"退出(", L'Q', L")"},
        {L"&File", L"", L'F', L"ile"},
        {L"a&b&c", L"a", L'b', L"&c"},
        {L"A&&B", L"A", L'&', L"B"},
        {L"暂停运行", L"暂停运行", std::nullopt, L""},
        {L"End&", L"End&", std::nullopt, L""},
        {L"&", L"&", std::nullopt, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.caption));
        const AcceleratorParts parts = split_accelerator(c.caption);
        EXPECT_EQ(parts.before, c.before);
        EXPECT_EQ(parts.accelerator, c.accelerator);
        EXPECT_EQ(parts.after, c.after);
    }
}

TEST(MenuText, DisabledItemsAreGreyAndEmbossedOnlyWhenNotSelected) {
    const Rgb white{255, 255, 255};
    const Rgb grey{128, 128, 128};
    struct Case {
        bool enabled;
        bool selected;
        std::vector<TextPass> passes;
    };
    const Case cases[] = {
        {true, false, {{0, 0, std::nullopt}}},
        {true, true, {{0, 0, std::nullopt}}},
        {false, false, {{1, 1, white}, {2, 2, white}, {0, 0, grey}}},
        {false, true, {{0, 0, grey}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "enabled " << c.enabled << " selected " << c.selected);
        EXPECT_EQ(menu_text_passes(c.enabled, c.selected), c.passes);
    }
}

TEST(MenuPicture, StripBottomLinesUpWithTheMenuBottom) {
    EXPECT_EQ(strip_source_top(300, 20, 120), 200);
    EXPECT_EQ(strip_source_top(300, 98, 120), 278);
}

}  // namespace
}  // namespace vistrel
