#include "components/gradient_bar.h"

namespace vistrel {

Channel gradient_channel(Rgb base) {
    if (base.r <= base.g && base.r <= base.b) {
        return Channel::red;
    }
    if (base.g <= base.b && base.g <= base.r) {
        return Channel::green;
    }
    return Channel::blue;
}

std::vector<GradientStrip> gradient_strips(Rgb base, int left, int width, int count) {
    if (count <= 0) {
        return {{left, width, base}};
    }
    const Channel channel = gradient_channel(base);
    const int strip_width = width / count + 1;
    std::vector<GradientStrip> strips;
    strips.reserve(static_cast<std::size_t>(count) + 1);
    for (int i = 0; i <= count; ++i) {
        // i = count wraps to 0: the bar never reaches full brightness.
        const auto level = static_cast<std::uint8_t>((i * 256 / count) & 0xFF);
        Rgb color = base;
        (channel == Channel::red ? color.r : channel == Channel::green ? color.g : color.b) = level;
        strips.push_back({left + i * strip_width, strip_width, color});
    }
    return strips;
}

}  // namespace vistrel
