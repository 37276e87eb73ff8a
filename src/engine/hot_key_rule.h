#pragma once

#include <cstdint>

namespace vistrel {

/// Whether a key value (modifier bits MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8 in the high byte, the
/// virtual-key code in the low byte) may be a global hot key: a key pressed with Ctrl or Alt. Any other key (a
/// letter, a digit, a function key, alone or with only Shift or the Windows key) would be taken from every program
/// while Vistrel runs; modifiers alone cannot be pressed as a hot key.
bool is_allowed_hot_key(std::uint16_t key_value);

/// What the user is told when a hot key without Ctrl or Alt is refused (UTF-8).
inline constexpr char kHotKeyRefusedText[] = "热键必须包含Ctrl键或Alt键，否则其他程序将无法使用这个键！";

}  // namespace vistrel
