#include "framework/page_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/form.h"
#include "test_support.h"

namespace vistrel {
namespace {

class PageControlTest : public testing::Test {
protected:
    void SetUp() override {
        form.SetBorderStyle(bsNone);
        form.SetBounds(50, 50, 400, 300);
        pages = new TPageControl(&form);
        pages->SetParent(&form);
        pages->SetBounds(10, 10, 380, 280);
        pages->OnChange = [this](TObject*) { ++changes; };
        for (const wchar_t* caption : {L"甲", L"乙", L"丙"}) {
            auto* sheet = new TTabSheet(&form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
            sheets.push_back(sheet);
        }
        form.Show();
    }

    std::wstring tab_text(int tab) {
        wchar_t text[32]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 32;
        SendMessageW(pages->Handle(), TCM_GETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
        return text;
    }

    TForm form{nullptr};
    TPageControl* pages = nullptr;
    std::vector<TTabSheet*> sheets;
    int changes = 0;
};

TEST_F(PageControlTest, OnlyTheActivePageShowsAndItFillsTheDisplayArea) {
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_TRUE(IsWindowVisible(sheets[0]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheets[1]->Handle()));
    const RECT display = pages->DisplayRect();
    EXPECT_EQ(sheets[0]->BoundsRect().left, display.left);
    EXPECT_EQ(sheets[0]->BoundsRect().bottom, display.bottom);
    EXPECT_LT(display.right - display.left, 380);
}

TEST_F(PageControlTest, ClickingATabSelectsItsPage) {
    const RECT tab = pages->TabRect(2);
    testing_support::post_click(pages->Handle(), {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
    ASSERT_TRUE(testing_support::pump_until([&] { return changes > 0; }));
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(pages->TabIndex(), 2);
    EXPECT_TRUE(IsWindowVisible(sheets[2]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheets[0]->Handle()));
}

TEST_F(PageControlTest, APageWithAHiddenTabHasNoTabAndCannotBeSelected) {
    sheets[1]->SetTabVisible(false);
    ASSERT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(tab_text(1), L"丙");
    EXPECT_EQ(sheets[1]->TabIndex(), -1);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    pages->SetActivePage(sheets[1]);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    pages->SetTabIndex(1);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(changes, 0);  // changes made by the program raise no event
}

TEST_F(PageControlTest, TabsFollowCaptionsAndPagesThatLeave) {
    sheets[1]->SetCaption(L"改名");
    EXPECT_EQ(tab_text(1), L"改名");
    delete sheets[0];  // the active page goes: the next page with a tab takes its place
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(tab_text(0), L"改名");
}

TEST_F(PageControlTest, TabsMoveToTheBottom) {
    pages->SetTabPosition(tpBottom);
    const RECT display = pages->DisplayRect();
    EXPECT_GE(pages->TabRect(0).top, display.bottom);
    EXPECT_NE(GetWindowLongPtrW(pages->Handle(), GWL_STYLE) & TCS_BOTTOM, 0);
    EXPECT_EQ(sheets[0]->BoundsRect().top, display.top);
}

}  // namespace
}  // namespace vistrel
