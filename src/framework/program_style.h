#pragma once

#include "framework/framework_types.h"

namespace vistrel {

/// The program's grey (RGB 223, 223, 223): background of the main window, the dialogs, the buttons and the menus.
inline constexpr TColor kProgramGrey = 14671839;

/// The program's font, 宋体 (SimSun) at 12 pixels, for every window, control and menu.
inline constexpr wchar_t kProgramFontName[] = L"宋体";
/// GDI's character height of the program's font: negative, in pixels of the 96-DPI layout.
inline constexpr int kProgramFontHeight = -12;

/// The menus: base colour of the selection's gradient (teal) and the selected item's text (red).
inline constexpr TColor kMenuHighlightColor = clTeal;
inline constexpr TColor kMenuHighlightTextColor = clRed;

}  // namespace vistrel
