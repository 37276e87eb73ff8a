#include "engine/text_codec.h"
#include "engine/text_codec_platform.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace vistrel {
namespace {

// One conversion direction, opened once per thread (a descriptor keeps state and cannot be shared).
// CP936 is the Windows flavour of GBK (0x80 is the euro sign).
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (is_open()) {
            iconv_close(cd_);
        }
    }

    // All of text or nothing.
    std::optional<std::string> convert(std::string_view text) {
        if (!is_open()) {
            return std::nullopt;
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state after a failed call
        std::string out(text.size() * 2 + 4, '\0');
        std::string in(text);
        char* in_ptr = in.data();
        std::size_t in_left = in.size();
        char* out_ptr = out.data();
        std::size_t out_left = out.size();
        while (in_left > 0) {
            if (iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<std::size_t>(-1)) {
                continue;
            }
            if (errno != E2BIG) {
                return std::nullopt;
            }
            const auto used = static_cast<std::size_t>(out_ptr - out.data());
            out.resize(out.size() * 2);
            out_ptr = out.data() + used;
            out_left = out.size() - used;
        }
        out.resize(static_cast<std::size_t>(out_ptr - out.data()));
        return out;
    }

private:
    bool is_open() const { return cd_ != reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1)); }

    iconv_t cd_;
};

}  // namespace

std::optional<std::string> utf8_to_gbk(std::string_view utf8) {
    thread_local Converter converter("CP936", "UTF-8");
    return converter.convert(utf8);
}

namespace detail {

std::optional<std::string> gbk_to_utf8_strict(std::string_view gbk) {
    thread_local Converter converter("UTF-8", "CP936");
    return converter.convert(gbk);
}

}  // namespace detail
}  // namespace vistrel
