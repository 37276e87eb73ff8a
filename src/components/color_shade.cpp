#include "components/color_shade.h"

#include <algorithm>

namespace vistrel {
namespace {

std::uint8_t clamp_channel(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

Rgb rgb_of(std::uint32_t color) {
    return {static_cast<std::uint8_t>(color & 0xFF), static_cast<std::uint8_t>((color >> 8) & 0xFF),
            static_cast<std::uint8_t>((color >> 16) & 0xFF)};
}

std::uint32_t color_of(Rgb rgb) {
    return std::uint32_t{rgb.r} | (std::uint32_t{rgb.g} << 8) | (std::uint32_t{rgb.b} << 16);
}

Rgb shade_color(Rgb color, int percent) {
    // Integer division truncates toward zero, as the rule asks for darkening too.
    int r = color.r + color.r * percent / 100;
    int spill = r > 255 ? r - 255 : 0;
    const int g = color.g + color.g * percent / 100 + spill;
    if (g > 255) {
        r += g - 255;
        spill = g - 255;
    }
    const int b = color.b + color.b * percent / 100 + spill;
    if (b > 255 && g <= 255) {
        r += b - 255;
    }
    return {clamp_channel(r), clamp_channel(g), clamp_channel(b)};
}

BevelColors bevel_colors(Rgb face) {
    return {shade_color(face, 50), shade_color(face, -50)};
}

}  // namespace vistrel
