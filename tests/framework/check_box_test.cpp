#include "framework/check_box.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/form.h"
#include "test_support.h"

namespace vistrel {
namespace {

class CheckBoxTest : public testing::Test {
protected:
    void SetUp() override {
        form.SetBorderStyle(bsNone);
        form.SetBounds(60, 60, 200, 80);
        box = new TCheckBox(&form);
        box->SetParent(&form);
        box->SetBounds(10, 10, 150, 20);
        box->SetCaption(L"开机时自动运行本软件");
        box->OnClick = [this](TObject* sender) {
            EXPECT_EQ(sender, box);
            states.push_back(box->State());
        };
        form.Show();
    }

    LRESULT shown_check() { return SendMessageW(box->Handle(), BM_GETCHECK, 0, 0); }

    TForm form{nullptr};
    TCheckBox* box = nullptr;
    std::vector<TCheckBoxState> states;
};

TEST_F(CheckBoxTest, SettingFromCodeRaisesOnClickOnlyOnAChange) {
    box->SetChecked(true);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(shown_check(), BST_CHECKED);
    box->SetChecked(true);
    box->SetState(cbGrayed);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(shown_check(), BST_INDETERMINATE);
    box->SetChecked(false);
    EXPECT_EQ(shown_check(), BST_UNCHECKED);
    EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbChecked, cbGrayed, cbUnchecked}));
}

TEST_F(CheckBoxTest, ClicksCycleThroughTheStates) {
    struct Case {
        const char* name;
        bool allow_grayed;
        std::vector<TCheckBoxState> states;
    };
    const Case cases[] = {
        {"two states", false, {cbChecked, cbUnchecked, cbChecked}},
        {"grayed between", true, {cbGrayed, cbChecked, cbUnchecked}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        box->SetChecked(false);
        states.clear();
        box->AllowGrayed = c.allow_grayed;
        for (int i = 0; i < 3; ++i) {
            testing_support::post_click(box->Handle(), {8, 10});
            ASSERT_TRUE(testing_support::pump_until([&] { return states.size() == static_cast<std::size_t>(i + 1); }));
        }
        EXPECT_EQ(states, c.states);
        EXPECT_EQ(shown_check(), static_cast<LRESULT>(c.states.back() == cbChecked ? BST_CHECKED : BST_UNCHECKED));
    }
}

TEST_F(CheckBoxTest, StateSurvivesANewWindow) {
    box->SetChecked(true);
    box->SetParent(nullptr);
    box->SetParent(&form);
    EXPECT_EQ(shown_check(), BST_CHECKED);
}

}  // namespace
}  // namespace vistrel
