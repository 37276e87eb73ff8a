#include "win32/system_message.h"

#include <windows.h>

#include <iterator>

#include "win32/wide_text.h"

namespace vistrel {

std::string system_message(unsigned long error) {
    wchar_t text[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  static_cast<DWORD>(std::size(text)), nullptr);
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' ')) {
        --length;
    }
    if (length == 0) {
        // A code the system has no text for is still worth naming.
        return "系统错误 " + std::to_string(error);
    }
    return to_utf8(std::wstring_view(text, length));
}

}  // namespace vistrel
