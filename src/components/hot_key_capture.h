#pragma once

#include <cstdint>
#include <string>

#include "components/hot_key_text.h"

namespace vistrel {

/// Modifier keys held while a key goes down in a capture box.
struct HeldModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool win = false;
};

/// The combination captured from a key press: a modifier key alone leaves the key byte empty.
KeyValue captured_key(HeldModifiers held, unsigned virtual_key);

/// Whether a captured combination is refused: a key was pressed, but without Ctrl or Alt (is_allowed_hot_key).
bool capture_refused(KeyValue captured);

/// Whether releasing keys in a capture box brings back the saved combination: only bare modifiers were held.
bool key_up_restores(KeyValue pending, KeyValue saved);

/// Key value carried by a WM_HOTKEY lParam (modifiers in the low word, key code in the high word).
KeyValue key_value_of_hot_key_message(std::uintptr_t lparam);

/// Name of the local atom of a hot-key item, "zq_hot_key_0" for index 0.
std::wstring hot_key_atom_name(int index);

/// Hot-key identifier of a local atom (atoms lie from 0xC000 up, identifiers from 0 up), and back.
std::uint16_t hot_key_identifier(std::uint16_t atom);
std::uint16_t hot_key_atom(std::uint16_t identifier);

}  // namespace vistrel
