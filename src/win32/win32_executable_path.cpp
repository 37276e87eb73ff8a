#include "win32/win32_executable_path.h"

#include <windows.h>

#include "win32/wide_text.h"

namespace vistrel {

std::string Win32ExecutablePath::executable_path() const {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return to_utf8(path);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace vistrel
