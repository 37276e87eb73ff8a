#pragma once

#include <vector>

#include "components/color_shade.h"

namespace vistrel {

/// One vertical strip of the selection bar of a menu item.
struct GradientStrip {
    int left = 0;
    int width = 0;
    Rgb color;

    friend bool operator==(const GradientStrip&, const GradientStrip&) = default;
};

enum class Channel { red, green, blue };

/// The channel that the bar runs through: the smallest one of the base colour, red first on ties.
Channel gradient_channel(Rgb base);

/// The strips of a bar of `count` steps starting at `left` and `width` wide. The strips are a little wider than
/// width / count, so the visible part ends before the bright end and the last strips lie past the right edge.
/// With no steps at all the bar is one strip of the base colour.
std::vector<GradientStrip> gradient_strips(Rgb base, int left, int width, int count);

}  // namespace vistrel
