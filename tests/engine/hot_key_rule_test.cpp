#include "engine/hot_key_rule.h"

#include <gtest/gtest.h>

namespace vistrel {
namespace {

TEST(HotKeyRule, AKeyNeedsCtrlOrAlt) {
    struct Case {
        const char* name;
        std::uint16_t key_value;
        bool allowed;
    };
    const Case cases[] = {
        {"Shift+Ctrl+Alt+F11, the call-up default", 0x077A, true},
        {"Ctrl+Alt+Q", 0x0351, true},
        {"Ctrl+A", 0x0241, true},
        {"Alt+F4", 0x0173, true},
        {"Win+Alt+1", 0x0931, true},
        {"A alone", 0x0041, false},
        {"Shift+A", 0x0441, false},
        {"Win+A", 0x0841, false},
        {"Shift+Win+A", 0x0C41, false},
        {"F5 alone", 0x0074, false},
        {"Shift+F12", 0x047B, false},
        {"Ctrl+Alt without a key", 0x0300, false},
        {"no key at all", 0x0000, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(is_allowed_hot_key(c.key_value), c.allowed);
    }
}

}  // namespace
}  // namespace vistrel
