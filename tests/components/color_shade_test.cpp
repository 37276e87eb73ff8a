#include "components/color_shade.h"

#include <gtest/gtest.h>

#include "printers.h"

namespace vistrel {
namespace {

TEST(ShadeColor, SpillsOverflowTowardsRedAndTruncatesTowardZero) {
    struct Case {
        const char* name;
        Rgb color;
        int percent;
        Rgb shaded;
    };
    const Case cases[] = {
        {"program grey lightened", {223, 223, 223}, 50, {255, 255, 255}},
        {"program grey darkened", {223, 223, 223}, -50, {112, 112, 112}},
        {"teal lightened", {0, 128, 128}, 50, {0, 192, 192}},
        {"red overflow spills into green", {200, 100, 50}, 50, {255, 195, 120}},
        {"green overflow goes back to red and on to blue", {100, 200, 100}, 50, {195, 255, 195}},
        {"blue overflow alone goes to red", {100, 100, 200}, 50, {195, 150, 255}},
        {"blue overflow after green overflow is not added to red", {10, 250, 250}, 50, {135, 255, 255}},
        {"darkening truncates toward zero", {3, 3, 3}, -50, {2, 2, 2}},
        {"lightening truncates toward zero", {3, 3, 3}, 50, {4, 4, 4}},
        {"black stays black", {0, 0, 0}, 50, {0, 0, 0}},
        {"darkening past zero clamps", {100, 100, 100}, -150, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shade_color(c.color, c.percent), c.shaded);
    }
}

TEST(ShadeColor, BevelOfTheProgramGreyIsWhiteAndDarkGrey) {
    const BevelColors bevel = bevel_colors(rgb_of(14671839));
    EXPECT_EQ(bevel.light, (Rgb{255, 255, 255}));
    EXPECT_EQ(bevel.dark, (Rgb{112, 112, 112}));
}

TEST(ShadeColor, ColourValuesAreRedInTheLowByte) {
    EXPECT_EQ(rgb_of(0x00808000), (Rgb{0, 128, 128}));
    EXPECT_EQ(rgb_of(0x800000FF), (Rgb{255, 0, 0}));
    EXPECT_EQ(color_of({1, 2, 3}), 0x00030201u);
}

}  // namespace
}  // namespace vistrel
