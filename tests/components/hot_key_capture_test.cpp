#include "components/hot_key_capture.h"

#include <gtest/gtest.h>

namespace vistrel {
namespace {

TEST(CapturedKey, AddsHeldModifiersAndLeavesTheKeyOutForAModifierKey) {
    struct Case {
        const char* name;
        HeldModifiers held;
        unsigned key;
        KeyValue value;
    };
    const Case cases[] = {
        {"Ctrl+Alt held, Alt going down", {.ctrl = true, .alt = true}, 0x12, 0x0300},
        {"Ctrl+Alt+Q", {.ctrl = true, .alt = true}, 'Q', 0x0351},
        {"Shift alone", {.shift = true}, 0x10, 0x0400},
        {"Ctrl going down", {.ctrl = true}, 0x11, 0x0200},
        {"left Windows key", {.win = true}, 0x5B, 0x0800},
        {"right Windows key", {.win = true}, 0x5C, 0x0800},
        {"Win+R", {.win = true}, 'R', 0x0852},
        {"all four with F11", {true, true, true, true}, 0x7A, 0x0F7A},
        {"plain A", {}, 'A', 0x0041},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(captured_key(c.held, c.key), c.value);
    }
}

TEST(CapturedKey, AKeyWithoutCtrlOrAltIsRefusedWhileModifiersAloneAreNot) {
    struct Case {
        const char* name;
        KeyValue captured;
        bool refused;
    };
    const Case cases[] = {
        {"plain A", 0x0041, true},
        {"Shift+A", 0x0441, true},
        {"Win+R", 0x0852, true},
        {"plain F8", 0x0077, true},
        {"Shift+F5", 0x0474, true},
        {"Ctrl+Alt+Q", 0x0351, false},
        {"Alt+F4", 0x0173, false},
        {"Ctrl+Shift+S", 0x0653, false},
        {"Ctrl+Alt held, no key yet", 0x0300, false},
        {"Shift held, no key yet", 0x0400, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(capture_refused(c.captured), c.refused);
    }
}

TEST(CapturedKey, ReleasingBareModifiersBringsBackTheSavedKey) {
    EXPECT_TRUE(key_up_restores(0x0300, 1914));
    EXPECT_TRUE(key_up_restores(0x0000, 1914));
    EXPECT_FALSE(key_up_restores(0x0351, 1914));  // a complete combination stays
    EXPECT_FALSE(key_up_restores(0x0300, 0x0300));
}

TEST(HotKeyMessage, JoinsModifiersAndKeyCode) {
    EXPECT_EQ(key_value_of_hot_key_message(0x007A0007u), 1914);
    EXPECT_EQ(key_value_of_hot_key_message(0x00510003u), 0x0351);
    EXPECT_EQ(key_value_of_hot_key_message(0x00410000u), 0x0041);
}

TEST(HotKeyIdentifier, AtomNamesAndIdentifiersFromLocalAtoms) {
    EXPECT_EQ(hot_key_atom_name(0), L"zq_hot_key_0");
    EXPECT_EQ(hot_key_atom_name(1), L"zq_hot_key_1");
    struct Case {
        std::uint16_t atom;
        std::uint16_t identifier;
    };
    for (const Case c : {Case{0xC000, 0x0000}, Case{0xC001, 0x0001}, Case{0xFFFF, 0x3FFF}}) {
        SCOPED_TRACE(testing::Message() << "atom " << c.atom);
        EXPECT_EQ(hot_key_identifier(c.atom), c.identifier);
        EXPECT_EQ(hot_key_atom(c.identifier), c.atom);
    }
}

}  // namespace
}  // namespace vistrel
