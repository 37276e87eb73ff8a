#include "engine/text_codec.h"
#include "engine/text_codec_platform.h"

#include <windows.h>

namespace vistrel {
namespace {

constexpr UINT kGbkCodePage = 936;

// Converts all of text to UTF-16 or nothing.
std::optional<std::wstring> to_wide(UINT code_page, std::string_view text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

// Converts all of a UTF-16 text or nothing; fails where the code page has no such character.
std::optional<std::string> from_wide(UINT code_page, const std::wstring& wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(wide.size());
    // Only a code page other than UTF-8 reports characters it replaced.
    const DWORD flags = code_page == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL used_default = FALSE;
    BOOL* used_default_out = code_page == CP_UTF8 ? nullptr : &used_default;
    const int length = WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr, used_default_out);
    if (length <= 0 || used_default) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(code_page, flags, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace

std::optional<std::string> utf8_to_gbk(std::string_view utf8) {
    const auto wide = to_wide(CP_UTF8, utf8);
    if (!wide) {
        return std::nullopt;
    }
    return from_wide(kGbkCodePage, *wide);
}

namespace detail {

std::optional<std::string> gbk_to_utf8_strict(std::string_view gbk) {
    const auto wide = to_wide(kGbkCodePage, gbk);
    if (!wide) {
        return std::nullopt;
    }
    return from_wide(CP_UTF8, *wide);
}

}  // namespace detail
}  // namespace vistrel
