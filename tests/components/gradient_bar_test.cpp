#include "components/gradient_bar.h"

#include <gtest/gtest.h>

#include "printers.h"

namespace vistrel {
namespace {

TEST(GradientBar, VariesTheSmallestChannelRedFirst) {
    struct Case {
        const char* name;
        Rgb base;
        Channel channel;
    };
    const Case cases[] = {
        {"teal", {0, 128, 128}, Channel::red},
        {"purple", {128, 0, 128}, Channel::green},
        {"olive", {128, 128, 0}, Channel::blue},
        {"grey", {128, 128, 128}, Channel::red},
        {"green and blue tie below red", {9, 3, 3}, Channel::green},
        {"red and blue tie below green", {3, 9, 3}, Channel::red},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gradient_channel(c.base), c.channel);
    }
}

TEST(GradientBar, TealRunsRedUpInStepsOf256ByCountFromTheLeft) {
    const auto strips = gradient_strips({0, 128, 128}, 10, 200, 120);
    ASSERT_EQ(strips.size(), 121u);
    const std::uint8_t first_reds[] = {0, 2, 4, 6, 8, 10, 12, 14, 17};
    for (std::size_t i = 0; i < std::size(first_reds); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(strips[i], (GradientStrip{10 + 2 * static_cast<int>(i), 2, {first_reds[i], 128, 128}}));
    }
    EXPECT_EQ(strips[119].color, (Rgb{253, 128, 128}));
    EXPECT_EQ(strips[120].color, (Rgb{0, 128, 128}));  // 256 wraps to 0
    // Strips are wider than 200 / 120, so the one at the bar's right edge is still short of the bright end.
    EXPECT_EQ(strips[99].left, 208);
    EXPECT_EQ(strips[99].color.r, 211);
}

TEST(GradientBar, StripWidthIsTheTruncatedShareplusOne) {
    EXPECT_EQ(gradient_strips({0, 0, 0}, 0, 50, 120)[1].left, 1);
    EXPECT_EQ(gradient_strips({0, 0, 0}, 0, 240, 120)[1].left, 3);
    EXPECT_EQ(gradient_strips({0, 0, 0}, 0, 100, 3)[1], (GradientStrip{34, 34, {85, 0, 0}}));
}

TEST(GradientBar, NoStepsGiveOnePlainStrip) {
    const auto strips = gradient_strips({0, 128, 128}, 5, 80, 0);
    EXPECT_EQ(strips, (std::vector<GradientStrip>{{5, 80, {0, 128, 128}}}));
}

}  // namespace
}  // namespace vistrel
