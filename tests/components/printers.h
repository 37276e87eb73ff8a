#pragma once

// Readable failure messages for the value types of the component rules.

#include <ostream>

#include "components/gradient_bar.h"
#include "components/menu_layout.h"
#include "components/offset_text.h"
#include "components/picture_button_layout.h"

namespace vistrel {

inline void PrintTo(const Rgb& c, std::ostream* out) {
    *out << "RGB(" << int{c.r} << ", " << int{c.g} << ", " << int{c.b} << ")";
}
inline void PrintTo(const PixelPoint& p, std::ostream* out) {
    *out << "(" << p.x << ", " << p.y << ")";
}
inline void PrintTo(const PixelRect& r, std::ostream* out) {
    *out << "[" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "]";
}
inline void PrintTo(const RegionOffset& o, std::ostream* out) {
    *out << "offset(" << o.left << ", " << o.top << ", " << o.right << ", " << o.bottom << ")";
}
inline void PrintTo(const GradientStrip& s, std::ostream* out) {
    *out << "strip at " << s.left << " width " << s.width << " ";
    PrintTo(s.color, out);
}
inline void PrintTo(const MenuItemSize& s, std::ostream* out) {
    *out << s.width << " x " << s.height;
}
inline void PrintTo(const TextPass& p, std::ostream* out) {
    *out << "pass +" << p.dx << "+" << p.dy << " ";
    if (p.color) {
        PrintTo(*p.color, out);
    } else {
        *out << "font colour";
    }
}

}  // namespace vistrel
