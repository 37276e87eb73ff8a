#include "components/Zqhotkey.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "framework/form.h"
#include "test_support.h"

namespace vistrel {
namespace {

constexpr KeyValue kCtrlAltQ = 0x0351;
constexpr KeyValue kCtrlAltW = 0x0357;
constexpr KeyValue kCallUp = 1914;  // Shift+Ctrl+Alt+F11

// Another program's window, to see which combinations are free.
class OtherProgram {
public:
    OtherProgram()
        : window_([this](UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(window_.handle(), m, w, l); }) {}
    ~OtherProgram() { UnregisterHotKey(window_.handle(), 1); }
    bool take(KeyValue value) {
        UnregisterHotKey(window_.handle(), 1);
        return RegisterHotKey(window_.handle(), 1, value >> 8, value & 0xFFu) != FALSE;
    }
    void release() { UnregisterHotKey(window_.handle(), 1); }

private:
    UtilityWindow window_;
};

class HotKeyTest : public testing::Test {
protected:
    HotKeyTest() : hot_keys(std::make_unique<TzqHotKey>(nullptr)) {}

    void press(KeyValue value) { SendMessageW(hot_keys->Handle(), WM_HOTKEY, 0, MAKELPARAM(value >> 8, value & 0xFF)); }

    std::unique_ptr<TzqHotKey> hot_keys;
    OtherProgram other;
    std::vector<THotKeyListItem*> fired;
};

TEST_F(HotKeyTest, ItemsTakeTheirIdentifiersFromLocalAtomsAndGiveThemBack) {
    THotKeyListItem& first = hot_keys->KeyList().Add();
    THotKeyListItem& second = hot_keys->KeyList().Add();
    const ATOM atom0 = FindAtomW(L"zq_hot_key_0");
    const ATOM atom1 = FindAtomW(L"zq_hot_key_1");
    ASSERT_NE(atom0, 0);
    ASSERT_NE(atom1, 0);
    EXPECT_EQ(first.Identifier(), static_cast<std::uint16_t>(atom0 + 0x4000));
    EXPECT_EQ(second.Identifier(), static_cast<std::uint16_t>(atom1 + 0x4000));
    EXPECT_EQ(first.KeyName(), L"Input key here...");
    EXPECT_TRUE(first.Enabled());
    EXPECT_EQ(first.KeyValue(), 0);
    hot_keys.reset();
    EXPECT_EQ(FindAtomW(L"zq_hot_key_0"), 0);
    EXPECT_EQ(FindAtomW(L"zq_hot_key_1"), 0);
}

TEST_F(HotKeyTest, AnEnabledItemHoldsItsCombinationAndFreesTheOldOneOnChange) {
    THotKeyListItem& item = hot_keys->KeyList().Add();
    item.setHotKey(kCtrlAltQ);  // a new item is enabled: registered at once
    EXPECT_TRUE(item.Enabled());
    EXPECT_EQ(item.KeyName(), L"Ctrl+Alt+Q");
    EXPECT_FALSE(other.take(kCtrlAltQ));

    item.setHotKey(kCtrlAltW);
    EXPECT_TRUE(item.Enabled());
    EXPECT_TRUE(other.take(kCtrlAltQ));
    EXPECT_FALSE(other.take(kCtrlAltW));

    item.activate_key(false);  // as a form stores it: the combination is not held
    EXPECT_FALSE(item.Enabled());
    EXPECT_TRUE(other.take(kCtrlAltW));
    other.release();
    item.activate_key(true);
    EXPECT_TRUE(item.Enabled());
    EXPECT_FALSE(other.take(kCtrlAltW));
}

TEST_F(HotKeyTest, ACombinationTakenElsewhereLeavesTheItemDisabled) {
    ASSERT_TRUE(other.take(kCtrlAltQ));
    THotKeyListItem& item = hot_keys->KeyList().Add();
    item.setHotKey(kCtrlAltQ);
    EXPECT_FALSE(item.Enabled());
    EXPECT_EQ(item.KeyValue(), kCtrlAltQ);
    item.activate_key(true);
    EXPECT_FALSE(item.Enabled());

    other.release();
    item.activate_key(true);
    EXPECT_TRUE(item.Enabled());

    THotKeyListItem& keyless = hot_keys->KeyList().Add();
    keyless.setHotKey(0x0300);  // modifiers alone can never be pressed
    EXPECT_FALSE(keyless.Enabled());
}

TEST_F(HotKeyTest, PressingTheCombinationCallsItsItem) {
    THotKeyListItem& first = hot_keys->KeyList().Add();
    THotKeyListItem& second = hot_keys->KeyList().Add();
    first.setHotKey(kCallUp);
    second.setHotKey(kCtrlAltQ);
    for (THotKeyListItem* item : {&first, &second}) {
        item->OnHotKey = [this](TObject* sender) { fired.push_back(static_cast<THotKeyListItem*>(sender)); };
    }
    // Ctrl, Alt and Q go down and come up again, as a user types them.
    std::vector<INPUT> keys(6);
    const WORD order[6] = {VK_CONTROL, VK_MENU, 'Q', 'Q', VK_MENU, VK_CONTROL};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i];
        keys[i].ki.dwFlags = i < 3 ? 0 : KEYEVENTF_KEYUP;
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
    ASSERT_TRUE(testing_support::pump_until([&] { return !fired.empty(); }));
    EXPECT_EQ(fired, (std::vector<THotKeyListItem*>{&second}));
}

TEST_F(HotKeyTest, DispatchSkipsDisabledItemsAndStopsAtTheFirstOneCalled) {
    THotKeyListItem& disabled = hot_keys->KeyList().Add();
    THotKeyListItem& enabled = hot_keys->KeyList().Add();
    THotKeyListItem& later = hot_keys->KeyList().Add();
    disabled.setHotKey(kCtrlAltQ);
    disabled.activate_key(false);
    enabled.setHotKey(kCtrlAltQ);
    later.activate_key(false);
    later.setHotKey(kCtrlAltQ);
    later.activate_key(true);  // taken by `enabled`: stays disabled
    for (THotKeyListItem* item : {&disabled, &enabled, &later}) {
        item->OnHotKey = [this](TObject* sender) { fired.push_back(static_cast<THotKeyListItem*>(sender)); };
    }
    ASSERT_TRUE(enabled.Enabled());
    press(kCtrlAltQ);
    press(kCtrlAltW);
    EXPECT_EQ(fired, (std::vector<THotKeyListItem*>{&enabled}));

    enabled.OnHotKey = nullptr;  // the only enabled one has no handler: nobody is called
    press(kCtrlAltQ);
    EXPECT_EQ(fired.size(), 1u);
}

// A form with the two read-only boxes of the settings page.
class HotKeyEditTest : public HotKeyTest {
protected:
    void SetUp() override {
        form.SetBounds(100, 100, 300, 120);
        edit = new TEdit(&form);
        edit->SetParent(&form);
        edit->SetBounds(10, 10, 200, 22);
        item = &hot_keys->KeyList().Add();
        item->setHotKey(kCallUp);
        item->setKeyEdit(edit);
        item->OnHotKey = [this](TObject* sender) { fired.push_back(static_cast<THotKeyListItem*>(sender)); };
        hot_keys->UpdateKey(false);
    }
    void TearDown() override { hold({}); }

    // Sets which modifier keys the keyboard state shows as down.
    static void hold(std::initializer_list<int> keys) {
        BYTE state[256]{};
        GetKeyboardState(state);
        for (const int key : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
            state[key] = 0;
        }
        for (const int key : keys) {
            state[key] = 0x80;
        }
        SetKeyboardState(state);
    }
    void key_down(WORD key) { SendMessageW(edit->Handle(), WM_KEYDOWN, key, 0); }
    void key_up(WORD key) { SendMessageW(edit->Handle(), WM_KEYUP, key, 0); }

    TForm form{nullptr};
    TEdit* edit = nullptr;
    THotKeyListItem* item = nullptr;
};

TEST_F(HotKeyEditTest, TheBoxIsReadOnlyAndShowsTheCurrentCombination) {
    EXPECT_TRUE(edit->ReadOnly());
    EXPECT_NE(GetWindowLongPtrW(edit->Handle(), GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(edit->Text(), L"Shift+Ctrl+Alt+F11");
}

TEST_F(HotKeyEditTest, BareModifiersShowWhileHeldAndTheCurrentKeyComesBackOnRelease) {
    hold({VK_CONTROL, VK_MENU});
    key_down(VK_CONTROL);
    key_down(VK_MENU);
    EXPECT_EQ(edit->Text(), L"Ctrl+Alt+");
    hold({});
    key_up(VK_MENU);
    EXPECT_EQ(edit->Text(), L"Shift+Ctrl+Alt+F11");
    EXPECT_EQ(item->PendingValue(), kCallUp);
}

TEST_F(HotKeyEditTest, ACapturedKeyTakesEffectOnlyWhenSaved) {
    hold({VK_CONTROL, VK_MENU});
    key_down('Q');
    hold({});
    key_up('Q');
    EXPECT_EQ(edit->Text(), L"Ctrl+Alt+Q");
    EXPECT_EQ(item->KeyValue(), kCallUp);

    hot_keys->UpdateKey(false);  // discarded: the box shows the current key, which stays in force
    EXPECT_EQ(edit->Text(), L"Shift+Ctrl+Alt+F11");
    EXPECT_FALSE(other.take(kCallUp));

    hold({VK_CONTROL, VK_MENU});
    key_down('Q');
    hold({});
    hot_keys->UpdateKey(true);
    EXPECT_EQ(item->KeyValue(), kCtrlAltQ);
    EXPECT_EQ(item->KeyName(), L"Ctrl+Alt+Q");
    EXPECT_TRUE(item->Enabled());
    EXPECT_FALSE(other.take(kCtrlAltQ));
    EXPECT_TRUE(other.take(kCallUp));  // the old combination is free again
}

TEST_F(HotKeyEditTest, AKeyWithoutCtrlOrAltIsRefusedAndTheBoxShowsTheCurrentOneAgain) {
    std::vector<THotKeyListItem*> refused;
    item->OnKeyRefused = [&](TObject* sender) {
        // Told after the box is put back, so that a message shown now finds it as it stays.
        EXPECT_EQ(edit->Text(), L"Shift+Ctrl+Alt+F11");
        refused.push_back(static_cast<THotKeyListItem*>(sender));
    };
    hold({VK_SHIFT});
    key_down(VK_SHIFT);
    EXPECT_EQ(edit->Text(), L"Shift+");
    EXPECT_TRUE(refused.empty()) << "Shift alone is a key still being chosen";
    key_down('A');
    EXPECT_EQ(edit->Text(), L"Shift+Ctrl+Alt+F11");
    EXPECT_EQ(item->PendingValue(), kCallUp);
    hold({});
    key_up('A');
    key_down(VK_F8);
    EXPECT_EQ(refused, (std::vector<THotKeyListItem*>{item, item}));
    hot_keys->UpdateKey(true);
    EXPECT_EQ(item->KeyValue(), kCallUp);
    EXPECT_TRUE(other.take(0x0041)) << "nothing took the bare key";
    EXPECT_FALSE(other.take(kCallUp));
}

TEST_F(HotKeyEditTest, SavingRetriesARegistrationThatFailedBefore) {
    item->activate_key(false);
    ASSERT_TRUE(other.take(kCallUp));
    hot_keys->UpdateKey(true);
    EXPECT_FALSE(item->Enabled());
    other.release();
    hot_keys->UpdateKey(true);
    EXPECT_TRUE(item->Enabled());
}

TEST_F(HotKeyEditTest, PressedInItsFocusedBoxTheCombinationIsOnlyNamed) {
    form.Show();
    edit->SetFocus();
    ASSERT_TRUE(edit->Focused());
    edit->SetText(L"Ctrl+");
    press(kCallUp);
    EXPECT_TRUE(fired.empty());
    EXPECT_EQ(edit->Text(), L"Shift+Ctrl+Alt+F11");

    SetFocus(form.Handle());
    press(kCallUp);
    EXPECT_EQ(fired, (std::vector<THotKeyListItem*>{item}));
}

TEST_F(HotKeyEditTest, TheBoxAndTheComponentMayGoInEitherOrder) {
    delete edit;  // the form removes the box: the item forgets it
    EXPECT_EQ(item->KeyEdit(), nullptr);
    hot_keys->UpdateKey(false);

    edit = new TEdit(&form);
    item->setKeyEdit(edit);
    EXPECT_TRUE(static_cast<bool>(edit->OnKeyDown));
    hot_keys.reset();  // the component goes first: the box no longer reports to it
    EXPECT_FALSE(static_cast<bool>(edit->OnKeyDown));
    EXPECT_FALSE(static_cast<bool>(edit->OnKeyUp));
}

TEST_F(HotKeyTest, TextsSetTheCombinationAndListsCopyItems) {
    THotKeyListItem& item = hot_keys->KeyList().Add();
    item.setKeyStr(L"ctrl alt q");
    EXPECT_EQ(item.KeyValue(), kCtrlAltQ);
    EXPECT_EQ(item.KeyName(), L"Ctrl+Alt+Q");
    item.OnHotKey = [this](TObject* sender) { fired.push_back(static_cast<THotKeyListItem*>(sender)); };

    TzqHotKey copy(nullptr);
    copy.KeyList().Add();
    copy.KeyList().Add();
    item.activate_key(false);  // frees the combination for the copy
    copy.setHotKeyList(hot_keys->KeyList());
    ASSERT_EQ(copy.KeyList().Count(), 1);
    THotKeyListItem& twin = copy.KeyList().GetItem(0);
    EXPECT_EQ(twin.KeyValue(), kCtrlAltQ);
    EXPECT_FALSE(twin.Enabled());
    twin.activate_key(true);
    SendMessageW(copy.Handle(), WM_HOTKEY, 0, MAKELPARAM(kCtrlAltQ >> 8, kCtrlAltQ & 0xFF));
    EXPECT_EQ(fired, (std::vector<THotKeyListItem*>{&twin}));
}

TEST_F(HotKeyTest, IndicesOutsideTheListAreRefused) {
    THotKeyList& list = hot_keys->KeyList();
    list.Add();
    list.Add();
    for (const int index : {-1, 2, 1000}) {
        SCOPED_TRACE(index);
        EXPECT_THROW(list.GetItem(index), std::out_of_range);
        EXPECT_THROW(list.SetItem(index, list.GetItem(0)), std::out_of_range);
        EXPECT_THROW(list.Delete(index), std::out_of_range);
    }
    EXPECT_EQ(list.Count(), 2);
    list.Delete(1);
    EXPECT_EQ(list.Count(), 1);
}

TEST_F(HotKeyTest, TheWindowAgreesToEndTheSession) {
    EXPECT_EQ(SendMessageW(hot_keys->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
}

}  // namespace
}  // namespace vistrel
