#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <utility>

namespace vistrel {

/// Move-only owner of a Win32 handle; Close is the function that releases it.
template <typename Handle, auto Close, Handle Invalid = Handle{}>
class UniqueResource {
public:
    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~UniqueResource() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid; }
    Handle release() { return std::exchange(handle_, Invalid); }
    void reset(Handle handle = Invalid) {
        if (handle_ != Invalid) {
            Close(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = Invalid;
};

using UniqueHandle = UniqueResource<HANDLE, &CloseHandle>;
using UniqueHwnd = UniqueResource<HWND, &DestroyWindow>;
using UniqueHkey = UniqueResource<HKEY, &RegCloseKey>;
using UniqueHicon = UniqueResource<HICON, &DestroyIcon>;
using UniqueHdc = UniqueResource<HDC, &DeleteDC>;
using UniqueHbitmap = UniqueResource<HBITMAP, &DeleteObject>;
using UniqueHfont = UniqueResource<HFONT, &DeleteObject>;
using UniqueHbrush = UniqueResource<HBRUSH, &DeleteObject>;
using UniqueHpen = UniqueResource<HPEN, &DeleteObject>;
using UniqueHrgn = UniqueResource<HRGN, &DeleteObject>;
using UniqueHmenu = UniqueResource<HMENU, &DestroyMenu>;
using UniqueHimagelist = UniqueResource<HIMAGELIST, &ImageList_Destroy>;
using UniqueHmodule = UniqueResource<HMODULE, &FreeLibrary>;
using UniqueHpalette = UniqueResource<HPALETTE, &DeleteObject>;

/// Selects a GDI object into a device context and puts the previous one back when it goes.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

/// Selects a palette into a device context and realises it; puts the previous palette back when it goes.
class PaletteGuard {
public:
    PaletteGuard(HDC dc, HPALETTE palette) : dc_(dc), previous_(SelectPalette(dc, palette, FALSE)) {
        RealizePalette(dc);
    }
    PaletteGuard(const PaletteGuard&) = delete;
    PaletteGuard& operator=(const PaletteGuard&) = delete;
    ~PaletteGuard() { SelectPalette(dc_, previous_, FALSE); }

private:
    HDC dc_;
    HPALETTE previous_;
};

/// A window's (or the screen's) device context from GetDC, released when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { ReleaseDC(window_, dc_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace vistrel
