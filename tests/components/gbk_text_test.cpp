#include "components/gbk_text.h"

#include <gtest/gtest.h>

#include <string>

namespace vistrel {
namespace {

// A character outside the Basic Multilingual Plane: a surrogate pair where wchar_t is UTF-16.
const std::wstring kFace = L"\U0001F600";

TEST(GbkText, CountsTheBytesOfTheCodePage) {
    struct Case {
        const char* name;
        std::wstring text;
        std::size_t bytes;
    };
    const Case cases[] = {
        {"empty", L"", 0},
        {"ASCII", L"Vistrel", 7},
        {"Chinese, two each", L"护眼", 4},
        {"Latin letters GBK holds, two each", L"éü", 4},
        {"the euro sign is one byte", L"€", 1},
        {"a character GBK lacks counts as its \"?\"", kFace, 1},
        {"mixed", L"a护€" + kFace, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gbk_length(c.text), c.bytes);
    }
}

TEST(GbkText, CutsNeverSplitACharacter) {
    struct Case {
        const char* name;
        std::wstring in;
        std::size_t bytes;
        std::wstring out;
    };
    const Case cases[] = {
        {"Chinese", L"确定确定确定", 8, L"确定确定"},
        {"ASCII", L"abcdefghij", 8, L"abcdefgh"},
        {"a double-byte character does not fit the last byte", L"a确定确定", 8, L"a确定确"},
        {"euro signs are single bytes", L"€uro€uro!", 8, L"€uro€uro"},
        {"empty", L"", 8, L""},
        {"shorter than the limit", L"保存", 8, L"保存"},
        {"a surrogate pair stays whole", L"123456" + kFace + L"xy", 8, L"123456" + kFace + L"x"},
        {"nothing fits", L"确", 1, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cut_to_gbk_bytes(c.in, c.bytes), c.out);
    }
}

}  // namespace
}  // namespace vistrel
