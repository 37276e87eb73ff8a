#include "components/hot_key_text.h"

#include <gtest/gtest.h>

namespace vistrel {
namespace {

std::string narrow(const std::wstring& text) {
    return testing::PrintToString(text);
}

TEST(HotKeyToText, NamesModifiersInFixedOrderThenTheKey) {
    struct Case {
        KeyValue value;
        std::wstring text;
    };
    const Case cases[] = {
        {1914, L"Shift+Ctrl+Alt+F11"},
        {1915, L"Shift+Ctrl+Alt+F12"},
        {0x0351, L"Ctrl+Alt+Q"},
        {0x0F70, L"Win+Shift+Ctrl+Alt+F1"},
        {0x0300, L"Ctrl+Alt+"},
        {0x0000, L""},
        {0x0041, L"A"},
        {0x0430, L"Shift+0"},
        {0x002E, L"Delete"},
        {0x002D, L"Ins"},  // the first row with the Insert key's code
        {0x0028, L"Down"},
        {0x0020, L"Space"},
        {0x005B, L"Win"},
        {0x005C, L"Win"},
        {0x0010, L"Shift"},
        {0x007C, L"|"},  // 124 is past F12: shown as its character
        {0x0008, std::wstring(1, L'\x08')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value);
        EXPECT_EQ(narrow(HotKeyToText(c.value)), narrow(c.text));
    }
}

TEST(TextToHotKey, ReadsNamesAbbreviationsAndKeys) {
    struct Case {
        std::wstring text;
        KeyValue value;
    };
    const Case cases[] = {
        {L"Ctrl+Alt+Shift+F11", 1914},
        {L"shift ctrl alt f11", 1914},
        {L"CTRL+q", 0x0251},
        {L"Win+Shift+Ctrl+Alt+F12", 0x0F7B},
        {L"Alt", 0x0100},
        {L"A", 0x0041},
        {L"a", 0x0041},
        {L"Del", 0x002E},
        {L"Delete", 0x002E},
        {L"Ins", 0x002D},
        {L"Insert", 0x002D},
        {L"Es", 0x001B},
        {L"E", 0x0045},  // one matching letter is a key, not a name
        {L"S", 0x0053},
        {L"Sp", 0x0020},
        {L"Page", 0x0022},  // PageUp matches no further than PageDown did: PageDown stays
        {L"PageU", 0x0021},
        {L"Down", 0x0028},
        {L"Ctrlx+Q", 0x0251},  // the common prefix decides
        {L"Win+R", 0x0852},
        {L"F1", 112},
        {L"F9", 120},
        {L"F10", 121},
        {L"f12", 123},
        {L"F13", 112},
        {L"F0", 0x0046},
        {L"Ctrl+A+B", 0x0242},  // the last plain key wins
        {L"Ctrl+Alt+", 0x0300},
        {L"Ctrl  Q", 0x0251},
        {L"A+B+C+D+E+F", 0x0045},  // five tokens at most
        {L"", 0},
        {L"中", 0},  // not a one-byte character: no key
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(narrow(c.text));
        EXPECT_EQ(TextToHotKey(c.text), c.value);
    }
}

TEST(HotKeyText, EveryNamedOrPrintableKeyRoundTripsWithEveryModifierSet) {
    std::vector<unsigned> keys;
    for (unsigned k = 'A'; k <= 'Z'; ++k) {
        keys.push_back(k);
    }
    for (unsigned k = '0'; k <= '9'; ++k) {
        keys.push_back(k);
    }
    for (unsigned k = 112; k <= 123; ++k) {
        keys.push_back(k);
    }
    for (const KeyName& row : key_name_table()) {
        const bool modifier_key = row.code == 0x10 || row.code == 0x11 || row.code == 0x12 || row.code >= 0x5B;
        if (!modifier_key) {
            keys.push_back(row.code);
        }
    }
    for (unsigned modifiers = 0; modifiers < 16; ++modifiers) {
        for (const unsigned key : keys) {
            const auto value = static_cast<KeyValue>(modifiers << 8 | key);
            SCOPED_TRACE(testing::Message() << "value " << value);
            EXPECT_EQ(TextToHotKey(HotKeyToText(value)), value);
        }
    }
}

}  // namespace
}  // namespace vistrel
