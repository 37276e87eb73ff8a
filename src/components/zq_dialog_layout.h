#pragma once

#include <array>
#include <string>

namespace vistrel::dialog {

/// A button of a message dialog: its caption (empty when hidden) and the identifier it returns.
struct ButtonFace {
    std::wstring caption;
    int id = 0;
};

/// Fields of a message dialog's type word (the values of the platform's message-box flags).
inline constexpr unsigned kButtonSetBits = 0x000F;      // bits 0-3: the button set, see button_faces
inline constexpr unsigned kCustomButtons = 0x000F;      // a set from 6 up shows the four custom captions
inline constexpr unsigned kIconBits = 0x00F0;           // bits 4-7: the icon number
inline constexpr unsigned kDefaultButtonBits = 0x0300;  // bits 8-9: the button that takes the focus first

constexpr unsigned button_set(unsigned type) {
    return type & kButtonSetBits;
}

/// Faces of Buttons[0..3] (Buttons[0] is the right-most) for the button set in bits 0-3 of a dialog type.
/// `custom` holds the four custom captions, element i for Buttons[i].
std::array<ButtonFace, 4> button_faces(unsigned type, const std::array<std::wstring, 4>& custom);

/// Icon number in bits 4-7 of a dialog type.
constexpr int icon_number(unsigned type) {
    return static_cast<int>((type & kIconBits) >> 4);
}

/// Default-button index in bits 8-9 of a dialog type.
constexpr int default_button(unsigned type) {
    return static_cast<int>((type & kDefaultButtonBits) >> 8);
}

/// Order in which Buttons[] are created (and so their tab order) for the default index in bits 8-9.
std::array<int, 4> creation_order(unsigned type);

/// Width and height of a message dialog around its text.
struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};
Size message_size(Size text, int icon_width, Size minimum, bool fourth_button_visible);

/// The widest a message's text may be so that its dialog still fits the work area's width: wider text wraps.
int widest_text(int work_area_width, int icon_width);
/// A dialog's size cut to the work area, which it never exceeds.
Size fit_to(Size size, Size work_area);

/// Left of the text: centred in the dialog but not left of the icon column.
int text_left(int dialog_width, int text_width, int icon_width);
/// Top of the text: halfway between the icon top and the buttons.
int text_top(int buttons_top, int icon_top, int text_height);

}  // namespace vistrel::dialog
