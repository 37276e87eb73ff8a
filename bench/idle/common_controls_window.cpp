// The floor of a wine program that shows Chinese text in the common controls with their visual style, as Vistrel
// does: the bare window and tray icon, the same manifest (common controls 6), a tab control and a report list in
// the program's font. Loading common controls alone costs every wine process its theme and its own icons.
#include "floor_window.h"
// commctrl.h needs the types of windows.h
#include <commctrl.h>

namespace {

HWND add_control(HWND parent, const wchar_t* window_class, DWORD style, RECT bounds, HFONT font) {
    HWND control = CreateWindowExW(0, window_class, L"", WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
                                   bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void fill_controls(HWND window, HFONT font) {
    HWND tabs = add_control(window, WC_TABCONTROLW, 0, {10, 10, 480, 350}, font);
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<wchar_t*>(L"休息时间表");
    SendMessageW(tabs, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&tab));
    HWND list = add_control(window, WC_LISTVIEWW, LVS_REPORT, {20, 40, 470, 340}, font);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 200;
    column.pszText = const_cast<wchar_t*>(L"休息时间");
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    LVITEMW row{};
    row.mask = LVIF_TEXT;
    row.pszText = const_cast<wchar_t*>(L"08:00:00");
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体");
    const int result = run_floor_window(instance, L"Floor", [font](HWND window) { fill_controls(window, font); });
    DeleteObject(font);
    return result;
}
