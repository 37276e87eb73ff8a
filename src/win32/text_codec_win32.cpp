#include "engine/text_codec.h"
#include "engine/text_codec_platform.h"

#include "win32/wide_text.h"

namespace vistrel {
namespace {

constexpr unsigned kGbkCodePage = 936;
constexpr unsigned kUtf8CodePage = 65001;

// All of a text from one code page to another, or nothing.
std::optional<std::string> convert(unsigned from, unsigned to, std::string_view text) {
    const auto wide = code_page_to_wide(from, text, true);
    if (!wide) {
        return std::nullopt;
    }
    return wide_to_code_page(to, *wide, true);
}

}  // namespace

std::optional<std::string> utf8_to_gbk(std::string_view utf8) {
    return convert(kUtf8CodePage, kGbkCodePage, utf8);
}

namespace detail {

std::optional<std::string> gbk_to_utf8_strict(std::string_view gbk) {
    return convert(kGbkCodePage, kUtf8CodePage, gbk);
}

}  // namespace detail
}  // namespace vistrel
