#include "engine/text_codec.h"
#include "engine/text_codec_platform.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace vistrel {
namespace {

// Converts all of text or nothing; CP936 is the Windows flavour of GBK (0x80 is the euro sign).
std::optional<std::string> convert(const char* to, const char* from, std::string_view text) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) {
        return std::nullopt;
    }
    std::string out(text.size() * 2 + 4, '\0');
    std::string in(text);
    char* in_ptr = in.data();
    std::size_t in_left = in.size();
    char* out_ptr = out.data();
    std::size_t out_left = out.size();
    bool ok = true;
    while (in_left > 0) {
        if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno != E2BIG) {
            ok = false;
            break;
        }
        const auto used = static_cast<std::size_t>(out_ptr - out.data());
        out.resize(out.size() * 2);
        out_ptr = out.data() + used;
        out_left = out.size() - used;
    }
    iconv_close(cd);
    if (!ok) {
        return std::nullopt;
    }
    out.resize(static_cast<std::size_t>(out_ptr - out.data()));
    return out;
}

}  // namespace

std::optional<std::string> utf8_to_gbk(std::string_view utf8) {
    return convert("CP936", "UTF-8", utf8);
}

namespace detail {

std::optional<std::string> gbk_to_utf8_strict(std::string_view gbk) {
    return convert("UTF-8", "CP936", gbk);
}

}  // namespace detail
}  // namespace vistrel
