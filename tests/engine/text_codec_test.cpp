#include "engine/text_codec.h"

#include <gtest/gtest.h>

namespace vistrel {
namespace {

TEST(TextCodec, ConvertsBetweenGbkAndUtf8BothWays) {
    struct Case {
        const char* name;
        std::string gbk;
        std::string utf8;
    };
    const Case cases[] = {
        {"empty", "", ""},
        {"ASCII", "C:\\Windows\\notepad.exe -x", "C:\\Windows\\notepad.exe -x"},
        {"Chinese", "\xD0\xDD\xCF\xA2", "休息"},
        {"mixed", "\xCC\xE1\xCA\xBE: 08:00", "提示: 08:00"},
        {"full-width punctuation", "\xA3\xA1", "！"},
        {"euro sign of code page 936", "\x80", "€"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gbk_to_utf8(c.gbk), c.utf8);
        EXPECT_EQ(utf8_to_gbk(c.utf8), std::optional<std::string>(c.gbk));
    }
}

TEST(TextCodec, ReplacesBytesThatAreNoGbkCharacterAndKeepsTheRest) {
    struct Case {
        const char* name;
        std::string gbk;
        std::string utf8;
    };
    const Case cases[] = {
        {"lone lead byte at the end", "ab\x81", "ab\xEF\xBF\xBD"},
        {"lead byte before an ASCII digit",
         "\x81"
         "0A",
         "\xEF\xBF\xBD"
         "0A"},
        {"byte 0xFF", "x\xFFy", "x\xEF\xBF\xBDy"},
        {"bad byte between characters", "\xD0\xDD\xFF\xCF\xA2", "休\xEF\xBF\xBD息"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gbk_to_utf8(c.gbk), c.utf8);
    }
}

TEST(TextCodec, RefusesTextGbkCannotHold) {
    const char* const cases[] = {"😀", "Ω≠∞ 😀", "\xC3", "\xFF\xFE", "café ☃"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(utf8_to_gbk(text).has_value());
    }
}

TEST(CutGbk, NeverSplitsADoubleByteCharacter) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t limit;
        std::string expected;
    };
    const std::string xiu_xi = "\xD0\xDD\xCF\xA2";
    const Case cases[] = {
        {"ASCII", "abcdef", 4, "abcd"},
        {"fits", xiu_xi, 4, xiu_xi},
        {"limit inside the second character", xiu_xi, 3, "\xD0\xDD"},
        {"limit inside the first character", "a" + xiu_xi, 2, "a"},
        {"trail byte that looks like a lead byte", "\xD0\xDD\xDD", 2, "\xD0\xDD"},
        {"ASCII-range trail byte", "\x81\x41\x42", 2, "\x81\x41"},
        {"lone lead byte at the end counts as one byte", "ab\x81", 3, "ab\x81"},
        {"zero limit", xiu_xi, 0, ""},
        {"limit beyond the text", "ab", 100, "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cut_gbk(c.text, c.limit), c.expected);
    }
}

TEST(TrimBlanks, DropsBlanksAndControlCharactersAtTheEndsOnly) {
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"nothing to trim", "a b", "a b"},
        {"blanks, tabs and line ends", " \t\r\na b \n", "a b"},
        {"only blanks", " \t ", ""},
        {"empty", "", ""},
        {"GBK full-width blank is a character, not a blank", "\xA1\xA1x\xA1\xA1", "\xA1\xA1x\xA1\xA1"},
        {"UTF-8 text", " \xE4\xBC\x91 ", "\xE4\xBC\x91"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(trim_blanks(c.text), c.expected);
    }
}

}  // namespace
}  // namespace vistrel
