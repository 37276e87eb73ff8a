#include "framework/radio_button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/form.h"
#include "framework/group_box.h"
#include "test_support.h"

namespace vistrel {
namespace {

class RadioButtonTest : public testing::Test {
protected:
    void SetUp() override {
        form.SetBorderStyle(bsNone);
        form.SetBounds(60, 60, 300, 200);
        group = new TGroupBox(&form);
        group->SetParent(&form);
        group->SetBounds(0, 0, 150, 120);
        for (int i = 0; i < 3; ++i) {
            radios.push_back(add(group, i));
        }
        outsider = add(&form, 9);
        outsider->SetLeft(160);
        form.Show();
    }

    TRadioButton* add(TWinControl* parent, int tag) {
        auto* radio = new TRadioButton(&form);
        radio->SetParent(parent);
        radio->SetBounds(8, 20 + 24 * tag, 120, 20);
        radio->Tag = tag;
        radio->OnClick = [this](TObject* sender) { clicks.push_back(static_cast<TRadioButton*>(sender)->Tag); };
        return radio;
    }

    std::string checks() {
        std::string shown;
        for (TRadioButton* radio : radios) {
            const bool checked = SendMessageW(radio->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
            EXPECT_EQ(checked, radio->Checked());
            shown += checked ? '1' : '0';
        }
        return shown;
    }

    TForm form{nullptr};
    TGroupBox* group = nullptr;
    std::vector<TRadioButton*> radios;
    TRadioButton* outsider = nullptr;
    std::vector<int> clicks;
};

TEST_F(RadioButtonTest, CheckingFromCodeUnchecksSiblingsAndRaisesOnClick) {
    outsider->SetChecked(true);
    radios[2]->SetChecked(true);
    EXPECT_EQ(checks(), "001");
    radios[0]->SetChecked(true);
    EXPECT_EQ(checks(), "100");
    radios[0]->SetChecked(true);  // no change, no event
    radios[2]->SetChecked(false);
    EXPECT_TRUE(outsider->Checked());  // another parent, another group
    EXPECT_EQ(clicks, (std::vector<int>{9, 2, 0}));
}

TEST_F(RadioButtonTest, AClickSelectsAndEveryClickRaisesOnClick) {
    radios[0]->SetChecked(true);
    clicks.clear();
    for (int tag : {1, 1, 2}) {
        const std::size_t before = clicks.size();
        testing_support::post_click(radios[static_cast<std::size_t>(tag)]->Handle(), {8, 10});
        ASSERT_TRUE(testing_support::pump_until([&] { return clicks.size() > before; }));
    }
    EXPECT_EQ(clicks, (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(checks(), "001");
}

}  // namespace
}  // namespace vistrel
