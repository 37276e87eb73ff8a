#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vistrel {

/// A hot-key combination: modifier bits (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8) in the high byte, the
/// virtual-key code in the low byte; 0 is no key.
using KeyValue = std::uint16_t;

inline constexpr KeyValue kModAlt = 0x0100;
inline constexpr KeyValue kModControl = 0x0200;
inline constexpr KeyValue kModShift = 0x0400;
inline constexpr KeyValue kModWin = 0x0800;

struct KeyName {
    std::wstring_view name;
    std::uint8_t code;
};

/// Named keys in the order that matters for parsing abbreviations: the first row of a code names it.
std::span<const KeyName> key_name_table();

/// Display text of a key value, e.g. 0x077A gives "Shift+Ctrl+Alt+F11".
std::wstring HotKeyToText(KeyValue value);

/// Key value of a text such as "Ctrl+Alt+Shift+F11" or "shift ctrl alt f11"; names may be abbreviated.
KeyValue TextToHotKey(std::wstring_view text);

}  // namespace vistrel
