#include "framework/spin_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/button.h"
#include "framework/form.h"
#include "test_support.h"

namespace vistrel {
namespace {

class SpinEditTest : public testing::Test {
protected:
    void SetUp() override {
        form.SetBorderStyle(bsNone);
        form.SetBounds(60, 60, 200, 80);
        spin = new TSpinEdit(&form);
        spin->SetParent(&form);
        spin->SetBounds(10, 10, 60, 22);
        spin->SetMinValue(0);
        spin->SetMaxValue(60);
        spin->SetValue(15);
        spin->OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, spin);
            values.push_back(spin->Value());
        };
        other = new TButton(&form);
        other->SetParent(&form);
        other->SetBounds(100, 10, 60, 22);
        form.Show();
        spin->SetFocus();
    }

    void type(const std::wstring& keys) {
        for (wchar_t key : keys) {
            PostMessageW(spin->Handle(), WM_CHAR, key, 0);
        }
        testing_support::pump_messages(50);
    }

    HWND arrows() { return FindWindowExW(spin->Handle(), nullptr, UPDOWN_CLASSW, nullptr); }

    TForm form{nullptr};
    TSpinEdit* spin = nullptr;
    TButton* other = nullptr;
    std::vector<int> values;
};

TEST_F(SpinEditTest, EveryKeystrokeRaisesOnChange) {
    spin->SelectAll();
    type(L"3x0");  // a letter is no part of a number and changes nothing
    EXPECT_EQ(spin->Text(), L"30");
    EXPECT_EQ(values, (std::vector<int>{3, 30}));
}

TEST_F(SpinEditTest, OutOfRangeTextReadsClampedAndIsClampedWhenTheFocusLeaves) {
    struct Case {
        const char* name;
        std::wstring typed;
        int value;
    };
    const Case cases[] = {
        {"above", L"99", 60},    {"below", L"-5", 0}, {"empty", L"", 0}, {"huge", L"99999999999999999999", 60},
        {"in range", L"42", 42},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        spin->SetFocus();
        spin->SetText(c.typed);
        EXPECT_EQ(spin->Value(), c.value);
        EXPECT_EQ(spin->Text(), c.typed);  // reading does not rewrite what the user typed
        other->SetFocus();
        EXPECT_EQ(spin->Text(), std::to_wstring(c.value));
    }
}

TEST_F(SpinEditTest, ArrowsAndKeysStepWithinTheRange) {
    spin->SetValue(59);
    values.clear();
    const auto click_arrow = [&](bool up) {
        RECT r{};
        GetClientRect(arrows(), &r);
        testing_support::post_click(arrows(), {r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4});
        testing_support::pump_messages(50);
    };
    ASSERT_NE(arrows(), nullptr);
    click_arrow(true);
    click_arrow(true);  // at the maximum: nothing changes, nothing is raised
    click_arrow(false);
    testing_support::post_key(spin->Handle(), VK_DOWN);
    testing_support::pump_messages(50);
    EXPECT_EQ(values, (std::vector<int>{60, 59, 58}));
    spin->SetValue(1000);
    EXPECT_EQ(spin->Value(), 60);
}

}  // namespace
}  // namespace vistrel
