#include "framework/framework_types.h"

namespace vistrel {

HCURSOR cursor_handle(TCursor cursor) {
    struct Entry {
        TCursor cursor;
        const wchar_t* id;
    };
    static const Entry kCursors[] = {
        {crArrow, IDC_ARROW},       {crIBeam, IDC_IBEAM},     {crSizeNESW, IDC_SIZENESW}, {crSizeNS, IDC_SIZENS},
        {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE},   {crHourGlass, IDC_WAIT},    {crNo, IDC_NO},
        {crHandPoint, IDC_HAND},    {crSizeAll, IDC_SIZEALL},
    };
    for (const Entry& e : kCursors) {
        if (e.cursor == cursor) {
            return LoadCursorW(nullptr, e.id);
        }
    }
    return LoadCursorW(nullptr, IDC_ARROW);
}

TShiftState mouse_shift_state(WPARAM key_flags) {
    TShiftState shift = 0;
    if ((key_flags & MK_SHIFT) != 0) {
        shift |= ssShift;
    }
    if ((key_flags & MK_CONTROL) != 0) {
        shift |= ssCtrl;
    }
    if ((key_flags & MK_LBUTTON) != 0) {
        shift |= ssLeft;
    }
    if ((key_flags & MK_RBUTTON) != 0) {
        shift |= ssRight;
    }
    if ((key_flags & MK_MBUTTON) != 0) {
        shift |= ssMiddle;
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift |= ssAlt;
    }
    return shift;
}

TShiftState keyboard_shift_state() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        shift |= ssShift;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        shift |= ssCtrl;
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift |= ssAlt;
    }
    return shift;
}

}  // namespace vistrel
