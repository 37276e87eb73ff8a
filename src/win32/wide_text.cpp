#include "win32/wide_text.h"

#include <windows.h>

namespace vistrel {

std::optional<std::wstring> code_page_to_wide(unsigned code_page, std::string_view text, bool strict) {
    if (text.empty()) {
        return std::wstring();
    }
    const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(code_page, flags, text.data(), size, nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(code_page, flags, text.data(), size, wide.data(), length);
    return wide;
}

std::optional<std::string> wide_to_code_page(unsigned code_page, std::wstring_view wide, bool strict) {
    if (wide.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(wide.size());
    // UTF-8 reports invalid input through a flag; other code pages report the characters they replaced.
    const bool utf8 = code_page == CP_UTF8;
    const DWORD flags = !strict ? 0 : utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL used_default = FALSE;
    BOOL* used_default_out = strict && !utf8 ? &used_default : nullptr;
    const int length = WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr, used_default_out);
    if (length <= 0 || used_default) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(code_page, flags, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

std::wstring to_wide(std::string_view utf8) {
    return code_page_to_wide(CP_UTF8, utf8, false).value_or(std::wstring());
}

std::string to_utf8(std::wstring_view wide) {
    return wide_to_code_page(CP_UTF8, wide, false).value_or(std::string());
}

}  // namespace vistrel
