// The floor of any wine program with a window in the notification area: one window and one tray icon, nothing
// else. The idle benchmark measures Vistrel beside it.
#include "floor_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    return run_floor_window(instance, L"Bare", [](HWND) {});
}
