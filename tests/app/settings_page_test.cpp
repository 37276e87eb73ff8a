#include "app/settings_page.h"

#include <gtest/gtest.h>

#include <functional>

#include "components/Zqinfodlg.h"
#include "framework/application.h"
#include "main_window_fixture.h"
#include "test_support.h"

namespace vistrel::app {
namespace {

constexpr KeyValue kCtrlAltQ = 0x0351;
constexpr KeyValue kCtrlAltW = 0x0357;
constexpr KeyValue kCallUp = 1914;       // Shift+Ctrl+Alt+F11
constexpr KeyValue kScreenSaver = 1915;  // Shift+Ctrl+Alt+F12

using testing_support::pump_messages;
using testing_support::pump_until;

class SettingsPageTest : public MainWindowTest {
protected:
    SettingsPage& page() { return form->settings_page(); }

    // Holds modifiers (VK_ codes) in the keyboard state and presses a key in a hot-key box, as the user does.
    static void capture(TEdit& box, std::initializer_list<int> modifiers, WORD key) {
        BYTE state[256]{};
        GetKeyboardState(state);
        for (const int modifier : modifiers) {
            state[modifier] = 0x80;
        }
        SetKeyboardState(state);
        SendMessageW(box.Handle(), WM_KEYDOWN, key, 0);
        for (const int modifier : modifiers) {
            state[modifier] = 0;
        }
        SetKeyboardState(state);
        SendMessageW(box.Handle(), WM_KEYUP, key, 0);
    }
    void press(KeyValue value) {
        SendMessageW(form->zqHotKey1->Handle(), WM_HOTKEY, 0, MAKELPARAM(value >> 8, value & 0xFF));
    }
    THotKeyListItem& hot_key(int item) { return form->zqHotKey1->KeyList().GetItem(item); }
};

TEST_F(SettingsPageTest, EachOptionIsWrittenWhenClickedAndNothingElse) {
    make_window();
    form->zqPageControl_main->SetActivePage(form->TabSheet_settings);
    pump_messages(100);
    testing_support::save_screenshot(form->Handle(), "settings-page-in-process");
    EXPECT_EQ(page().CSpinEdit9->Value(), 0) << "the boot grace in force, not the stored form's 15";

    struct Case {
        const char* name;
        std::function<TWinControl*()> control;
        const wchar_t* value_name;
        DWORD written;
    };
    const Case cases[] = {
        {"untick compulsory rests", [&] { return page().CheckBox_Compulsory; }, L"CompulsoryRest", 0},
        {"tick them again", [&] { return page().CheckBox_Compulsory; }, L"CompulsoryRest", 1},
        {"tick the pre-reminder", [&] { return page().CheckBox_Premind; }, L"CompulsoryPremind", 1},
        {"tick minimise at start", [&] { return page().CheckBox_AutoMinimize; }, L"AutoMinimize", 1},
        {"untick minimise at start", [&] { return page().CheckBox_AutoMinimize; }, L"AutoMinimize", 0},
        {"dialog reminder", [&] { return page().RadioButton_Restmode0; }, L"RestMode", 0},
        {"dialog reminder once more", [&] { return page().RadioButton_Restmode0; }, L"RestMode", 0},
        {"monitor off", [&] { return page().RadioButton_Restmode1; }, L"RestMode", 1},
        {"screen saver", [&] { return page().RadioButton_Restmode2; }, L"RestMode", 2},
        {"screen saver once more", [&] { return page().RadioButton_Restmode2; }, L"RestMode", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Taken away first, so that writing the value it had shows too.
        delete_registry_value(kSettingsPath, c.value_name);
        RegistryValues expected = registry_values(kSettingsPath);
        expected[c.value_name] = integer_value(c.written);
        const RegistryValues run = registry_values(kRunPath);
        click(*c.control());
        EXPECT_EQ(registry_values(kSettingsPath), expected);
        EXPECT_EQ(registry_values(kRunPath), run);
    }
    EXPECT_TRUE(page().CheckBox_Premind->Enabled());
}

TEST_F(SettingsPageTest, ThePreReminderWaitsWithItsValueWhileRestsAreNotCompulsory) {
    set_registry_integer(L"CompulsoryPremind", 1);
    make_window();
    click(*page().CheckBox_Compulsory);
    EXPECT_FALSE(page().CheckBox_Premind->Enabled());
    EXPECT_TRUE(page().CheckBox_Premind->Checked());
    EXPECT_TRUE(form->settings().CompulsoryPremind);
    click(*page().CheckBox_Compulsory);
    EXPECT_TRUE(page().CheckBox_Premind->Enabled());
    EXPECT_TRUE(page().CheckBox_Premind->Checked());
    EXPECT_EQ(registry_values(kSettingsPath)[L"CompulsoryPremind"], integer_value(1));
}

TEST_F(SettingsPageTest, StartWithWindowsTwiceReturnsTheRegistryToItsFirstState) {
    for (const bool auto_run : {true, false}) {
        SCOPED_TRACE(auto_run ? "on at first" : "off at first");
        SetUp();
        set_registry_integer(L"AutoRun", auto_run ? 1 : 0);
        make_window();
        const RegistryValues settings = registry_values(kSettingsPath);
        const RegistryValues run = registry_values(kRunPath);
        EXPECT_EQ(run.count(L"Vistrel"), auto_run ? 1u : 0u);

        click(*page().CheckBox_Autorun);
        EXPECT_EQ(registry_values(kRunPath).count(L"Vistrel"), auto_run ? 0u : 1u);
        EXPECT_EQ(registry_values(kSettingsPath)[L"AutoRun"], integer_value(auto_run ? 0 : 1));
        click(*page().CheckBox_Autorun);
        EXPECT_EQ(registry_values(kRunPath), run);
        EXPECT_EQ(registry_values(kSettingsPath), settings);
        form.reset();
    }
}

TEST_F(SettingsPageTest, TheBootGraceShowsTheStoredValueAndIsWrittenOnEveryKeystroke) {
    set_registry_integer(L"StartDummyTime", 7);
    make_window();
    TSpinEdit& field = *page().CSpinEdit9;
    EXPECT_EQ(field.Value(), 7);
    EXPECT_EQ(registry_values(kSettingsPath)[L"StartDummyTime"], integer_value(7));

    // The user selects the field's text and types 3, then 0.
    field.SetFocus();
    field.SelectAll();
    SendMessageW(field.Handle(), WM_CHAR, L'3', 0);
    EXPECT_EQ(registry_values(kSettingsPath)[L"StartDummyTime"], integer_value(3));
    EXPECT_EQ(form->settings().StartDummyTime, 3);
    SendMessageW(field.Handle(), WM_CHAR, L'0', 0);
    EXPECT_EQ(registry_values(kSettingsPath)[L"StartDummyTime"], integer_value(30));
    EXPECT_EQ(form->settings().StartDummyTime, 30);
}

TEST_F(SettingsPageTest, StoredValuesOutsideWhatThePageOffersShowAsTheValuesInForce) {
    struct Case {
        const char* name;
        const wchar_t* value_name;
        DWORD stored;
        int boot_grace;
        TRadioButton* SettingsPage::*rest_mode;
        const wchar_t* call_up_key;
    };
    const Case cases[] = {
        {"a boot grace of 69 days", L"StartDummyTime", 100000, 60, &SettingsPage::RadioButton_Restmode2,
         L"Shift+Ctrl+Alt+F11"},
        {"a negative boot grace", L"StartDummyTime", static_cast<DWORD>(-3), 0, &SettingsPage::RadioButton_Restmode2,
         L"Shift+Ctrl+Alt+F11"},
        {"a rest mode the page does not have", L"RestMode", 7, 0, &SettingsPage::RadioButton_Restmode2,
         L"Shift+Ctrl+Alt+F11"},
        {"dialog reminder", L"RestMode", 0, 0, &SettingsPage::RadioButton_Restmode0, L"Shift+Ctrl+Alt+F11"},
        {"a bare letter as the call-up key", L"HotKey0", 'A', 0, &SettingsPage::RadioButton_Restmode2,
         L"Shift+Ctrl+Alt+F11"},
        {"Shift and a function key", L"HotKey0", 0x0474, 0, &SettingsPage::RadioButton_Restmode2,
         L"Shift+Ctrl+Alt+F11"},
        {"Ctrl+Alt+Q", L"HotKey0", kCtrlAltQ, 0, &SettingsPage::RadioButton_Restmode2, L"Ctrl+Alt+Q"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        set_registry_integer(c.value_name, c.stored);
        make_window();
        EXPECT_EQ(page().CSpinEdit9->Value(), c.boot_grace);
        EXPECT_EQ(form->settings().StartDummyTime, c.boot_grace);
        EXPECT_TRUE((page().*c.rest_mode)->Checked());
        EXPECT_EQ(page().Edit_hotkey_0->Text(), c.call_up_key);
        EXPECT_TRUE(hot_key(0).Enabled());
        OtherProgram other;
        EXPECT_FALSE(other.take(hot_key(0).KeyValue())) << "the key shown is the key in force";
        EXPECT_TRUE(other.take(0x0041)) << "a bare letter is left to the other programs";
        form.reset();
    }
}

TEST_F(SettingsPageTest, AKeyWithoutCtrlOrAltIsRefusedInTheBox) {
    make_window();
    form->zqPageControl_main->SetActivePage(form->TabSheet_settings);
    struct Case {
        const char* name;
        std::initializer_list<int> modifiers;
        WORD key;
    };
    const Case cases[] = {
        {"a bare letter", {}, 'A'},
        {"Shift and a letter", {VK_SHIFT}, 'B'},
        {"Shift and a function key", {VK_SHIFT}, VK_F5},
        {"a bare function key", {}, VK_F8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool told = false;
        testing_support::later([&] {
            told = zqInfo.Showing;
            ASSERT_TRUE(zqInfo.Showing);
            EXPECT_EQ(zqInfo.TextLabel->Caption(), L"热键必须包含Ctrl键或Alt键，否则其他程序将无法使用这个键！");
            EXPECT_EQ(zqInfo.Frame->Caption(), L"提示");
            EXPECT_EQ(zqInfo.DlgType, 48u);
            EXPECT_EQ(page().Edit_hotkey_0->Text(), L"Shift+Ctrl+Alt+F11") << "the box shows the key in force";
            if (c.key == 'A') {
                pump_messages(150);
                testing_support::save_screenshot(zqInfo.Form->Handle(), "hot-key-refused-in-process");
            }
            click(*zqInfo.Buttons[0]);
        });
        capture(*page().Edit_hotkey_0, c.modifiers, c.key);
        EXPECT_TRUE(told);
        EXPECT_EQ(hot_key(0).PendingValue(), kCallUp);
    }
    const RegistryValues before = registry_values(kSettingsPath);
    click(*page().zqBtn_update_hotkey);
    EXPECT_EQ(registry_values(kSettingsPath)[L"HotKey0"], integer_value(kCallUp));
    EXPECT_EQ(hot_key(0).KeyValue(), kCallUp);
    OtherProgram other;
    EXPECT_TRUE(other.take(0x0041));
    EXPECT_FALSE(other.take(kCallUp));
}

TEST_F(SettingsPageTest, TheBoxesShowTheKeysInForceAndDropWhatWasNotSaved) {
    set_registry_integer(L"HotKey1", kCtrlAltW);
    make_window();
    EXPECT_EQ(page().Edit_hotkey_0->Text(), L"Shift+Ctrl+Alt+F11");
    EXPECT_EQ(page().Edit_hotkey_1->Text(), L"Ctrl+Alt+W");
    EXPECT_TRUE(page().Edit_hotkey_0->ReadOnly());

    capture(*page().Edit_hotkey_0, {VK_CONTROL, VK_MENU}, 'Q');
    EXPECT_EQ(page().Edit_hotkey_0->Text(), L"Ctrl+Alt+Q");
    form->TrayIcon1->OnRestore(form->TrayIcon1);  // the window comes back from the tray
    EXPECT_EQ(page().Edit_hotkey_0->Text(), L"Shift+Ctrl+Alt+F11");
    OtherProgram other;
    EXPECT_FALSE(other.take(kCallUp)) << "the old key stays in force";
    EXPECT_TRUE(other.take(kCtrlAltQ));
}

TEST_F(SettingsPageTest, SavingRegistersAndStoresTheCapturedKeys) {
    make_window();
    capture(*page().Edit_hotkey_0, {VK_CONTROL, VK_MENU}, 'Q');
    const RegistryValues before = registry_values(kSettingsPath);
    click(*page().zqBtn_update_hotkey);

    RegistryValues expected = before;
    expected[L"HotKey0"] = integer_value(kCtrlAltQ);
    expected[L"HotKey1"] = integer_value(kScreenSaver);
    EXPECT_EQ(registry_values(kSettingsPath), expected);
    EXPECT_TRUE(hot_key(0).Enabled());
    OtherProgram other;
    EXPECT_FALSE(other.take(kCtrlAltQ));
    EXPECT_TRUE(other.take(kCallUp)) << "the old key is free again";
}

TEST_F(SettingsPageTest, AKeyHeldByAnotherProgramStaysInactiveAndIsNotStored) {
    set_registry_integer(L"HotKey0", kCtrlAltW);
    OtherProgram other;
    ASSERT_TRUE(other.take(kCtrlAltQ));
    make_window();
    ASSERT_TRUE(hot_key(0).Enabled());

    capture(*page().Edit_hotkey_0, {VK_CONTROL, VK_MENU}, 'Q');
    click(*page().zqBtn_update_hotkey);
    EXPECT_FALSE(hot_key(0).Enabled());
    EXPECT_EQ(registry_values(kSettingsPath)[L"HotKey0"], integer_value(kCtrlAltW));
    EXPECT_EQ(registry_values(kSettingsPath)[L"HotKey1"], integer_value(kScreenSaver));

    const bool shown = IsWindowVisible(form->Handle()) != FALSE;
    press(kCtrlAltQ);
    pump_messages(200);
    EXPECT_EQ(IsWindowVisible(form->Handle()) != FALSE, shown) << "an inactive key does nothing";
}

TEST_F(SettingsPageTest, TheCallUpKeyHidesAndShowsTheWindowUnlessTheTrayIconIsHidden) {
    make_window();
    HWND application = Application().Handle();
    ASSERT_FALSE(IsIconic(application));

    form->TrayIcon1->SetVisible(false);  // as during a compulsory rest
    press(kCallUp);
    pump_messages(200);
    EXPECT_FALSE(IsIconic(application));

    form->TrayIcon1->SetVisible(true);
    press(kCallUp);
    EXPECT_TRUE(pump_until([&] { return IsIconic(application) != FALSE; }));
    press(kCallUp);
    EXPECT_TRUE(pump_until([&] { return IsIconic(application) == FALSE; }));
}

}  // namespace
}  // namespace vistrel::app
