#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace vistrel {

/// Root of everything that can be the sender of an event.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

/// A window message with its result, as hooks see it.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using TShiftState = unsigned;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;
inline constexpr TShiftState ssLeft = 8;
inline constexpr TShiftState ssRight = 16;
inline constexpr TShiftState ssMiddle = 32;
inline constexpr TShiftState ssDouble = 64;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;

/// 0x00BBGGRR for plain colours, 0x80000000 plus an index for system colours.
using TColor = std::uint32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor clWindow = 0x80000000 | COLOR_WINDOW;
inline constexpr TColor clWindowText = 0x80000000 | COLOR_WINDOWTEXT;
inline constexpr TColor clWindowFrame = 0x80000000 | COLOR_WINDOWFRAME;
inline constexpr TColor clBtnFace = 0x80000000 | COLOR_BTNFACE;
inline constexpr TColor clBtnShadow = 0x80000000 | COLOR_BTNSHADOW;
inline constexpr TColor clBtnHighlight = 0x80000000 | COLOR_BTNHIGHLIGHT;
inline constexpr TColor clBtnText = 0x80000000 | COLOR_BTNTEXT;
inline constexpr TColor clGrayText = 0x80000000 | COLOR_GRAYTEXT;
inline constexpr TColor clInfoBk = 0x80000000 | COLOR_INFOBK;
inline constexpr TColor clInfoText = 0x80000000 | COLOR_INFOTEXT;

/// The RGB value of a colour, system colours resolved.
inline COLORREF ColorToRGB(TColor color) {
    return (color & 0x80000000) != 0 ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

/// Cursor numbers of the framework.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

/// The system cursor shown for a cursor number (the arrow for numbers without one).
HCURSOR cursor_handle(TCursor cursor);

/// The shift state of a mouse message's key flags, with the keyboard state of Alt.
TShiftState mouse_shift_state(WPARAM key_flags);
/// The shift state of the keyboard now.
TShiftState keyboard_shift_state();

}  // namespace vistrel
