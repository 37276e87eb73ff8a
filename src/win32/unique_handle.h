#pragma once

#include <windows.h>

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

}  // namespace vistrel
