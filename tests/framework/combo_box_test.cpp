#include "framework/combo_box.h"

#include <gtest/gtest.h>

#include "framework/form.h"
#include "test_support.h"

namespace vistrel {
namespace {

TEST(ComboBox, ItemsAndIndexFromCodeAndFromTheUser) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(60, 60, 200, 200);
    auto* combo = new TComboBox(&form);
    combo->SetParent(&form);
    combo->SetBounds(10, 10, 120, 21);
    for (const wchar_t* item : {L"默认窗口", L"最大化", L"最小化", L"隐藏窗口"}) {
        combo->Items().Add(item);
    }
    combo->SetItemIndex(0);
    int changes = 0;
    combo->OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, combo);
        ++changes;
    };
    form.Show();
    HWND box = combo->Handle();
    EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), 0);
    wchar_t text[32]{};
    SendMessageW(box, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"隐藏窗口");
    EXPECT_LT(combo->Height(), 40);  // the closed box, not the open list

    combo->SetItemIndex(2);
    EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), 2);
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(changes, 0);

    // The user picks the second entry with the keyboard.
    combo->SetItemIndex(0);
    combo->SetFocus();
    testing_support::post_key(box, VK_DOWN);
    ASSERT_TRUE(testing_support::pump_until([&] { return changes > 0; }));
    EXPECT_EQ(combo->ItemIndex(), 1);

    combo->Items().Clear();
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 0);
}

}  // namespace
}  // namespace vistrel
