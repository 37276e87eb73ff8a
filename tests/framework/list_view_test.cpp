#include "framework/list_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/form.h"
#include "framework/menu.h"
#include "test_support.h"

namespace vistrel {
namespace {

// Writes down where it was asked to open instead of opening.
class RecordingMenu : public TPopupMenu {
public:
    explicit RecordingMenu(TComponent* owner) : TPopupMenu(owner) {}
    void Popup(int x, int y) override { opened_at.push_back({x, y}); }
    std::vector<POINT> opened_at;
};

const wchar_t* const kTimes[] = {L"08:00:00", L"09:00:00", L"10:00:00"};

class ListViewTest : public testing::Test {
protected:
    void SetUp() override {
        form.SetBorderStyle(bsNone);
        form.SetBounds(60, 60, 420, 240);
        list = new TListView(&form);
        list->SetParent(&form);
        list->SetBounds(10, 10, 400, 200);
        list->SetRowSelect(true);
        list->SetReadOnly(true);
        list->OnDblClick = [this](TObject* sender) {
            EXPECT_EQ(sender, list);
            ++double_clicks;
        };
        form.Show();
    }

    void fill(int rows) {
        for (int i = 0; i < rows; ++i) {
            TListItem* item = list->Items().Add();
            item->SetCaption(kTimes[i]);
            item->SubItems().Add(std::to_wstring(i + 1));
        }
    }

    std::wstring cell(int row, int column) {
        wchar_t text[64]{};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(list->Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return text;
    }

    std::wstring header(int column) {
        wchar_t text[64]{};
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = 64;
        SendMessageW(list->Handle(), LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
        return text;
    }

    int shown_width(int column) {
        return static_cast<int>(SendMessageW(list->Handle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    }

    POINT row_point(int row) {
        RECT rect{LVIR_LABEL, 0, 0, 0};
        SendMessageW(list->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
        return {rect.left + 5, (rect.top + rect.bottom) / 2};
    }

    TForm form{nullptr};
    TListView* list = nullptr;
    int double_clicks = 0;
};

TEST_F(ListViewTest, RowsAndColumnsReadBack) {
    TListColumn* time = list->Columns().Add();
    time->SetCaption(L"时间");
    time->SetWidth(150);
    TListColumn* task = list->Columns().Add();
    task->SetCaption(L"任务");
    task->SetAutoSize(true);
    fill(3);
    ASSERT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(header(0), L"时间");
    EXPECT_EQ(header(1), L"任务");
    EXPECT_EQ(cell(0, 0), L"08:00:00");
    EXPECT_EQ(cell(2, 0), L"10:00:00");
    EXPECT_EQ(cell(2, 1), L"3");
    EXPECT_EQ(list->Items()[1]->SubItems()[0], L"2");
    RECT client{};
    GetClientRect(list->Handle(), &client);
    EXPECT_EQ(shown_width(0), 150);
    EXPECT_EQ(shown_width(1), client.right - 150);
    EXPECT_EQ(task->Width(), shown_width(1));

    list->Items().Clear();
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(list->Selected(), nullptr);
}

TEST_F(ListViewTest, AutomaticColumnsShareTheWidthAndFollowResizing) {
    for (const wchar_t* caption : {L"时间", L"休息时长（分钟）"}) {
        TListColumn* column = list->Columns().Add();
        column->SetCaption(caption);
        column->SetAutoSize(true);
    }
    for (int width : {400, 301}) {
        SCOPED_TRACE(width);
        list->SetWidth(width);
        RECT client{};
        GetClientRect(list->Handle(), &client);
        EXPECT_EQ(shown_width(0), client.right / 2);
        EXPECT_EQ(shown_width(0) + shown_width(1), client.right);
    }
}

TEST_F(ListViewTest, SelectionFromCodeAndByClick) {
    list->Columns().Add()->SetWidth(100);
    fill(3);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->SetItemIndex(2);
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
    EXPECT_EQ(list->Selected(), list->Items()[2]);
    list->SetSelected(nullptr);
    EXPECT_EQ(list->ItemIndex(), -1);

    testing_support::post_click(list->Handle(), row_point(1));
    ASSERT_TRUE(testing_support::pump_until([&] { return list->ItemIndex() == 1; }));
    EXPECT_EQ(list->Selected()->Caption(), L"09:00:00");
}

TEST_F(ListViewTest, ADoubleClickRaisesOnDblClickOnce) {
    list->Columns().Add()->SetWidth(100);
    fill(2);
    const POINT p = row_point(1);
    const LPARAM at = MAKELPARAM(p.x, p.y);
    PostMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list->Handle(), WM_LBUTTONUP, 0, at);
    PostMessageW(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(list->Handle(), WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(testing_support::pump_until([&] { return double_clicks > 0; }));
    testing_support::pump_messages(50);
    EXPECT_EQ(double_clicks, 1);
    EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(ListViewTest, TheContextMenuOpensAtTheMouseOrBelowTheSelectedRow) {
    list->Columns().Add()->SetWidth(100);
    fill(2);
    auto* menu = new RecordingMenu(&form);
    list->SetPopupMenu(menu);
    list->SetItemIndex(1);
    SendMessageW(list->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list->Handle()), MAKELPARAM(123, 45));
    SendMessageW(list->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list->Handle()), -1);
    ASSERT_EQ(menu->opened_at.size(), 2u);
    EXPECT_EQ(menu->PopupComponent(), list) << "a menu shared by several lists knows which one it serves";
    EXPECT_EQ(menu->opened_at[0].x, 123);
    EXPECT_EQ(menu->opened_at[0].y, 45);
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const POINT below = list->ClientToScreen({row.left, row.bottom});
    EXPECT_EQ(menu->opened_at[1].x, below.x);
    EXPECT_EQ(menu->opened_at[1].y, below.y);

    const POINT p = row_point(0);
    PostMessageW(list->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
    PostMessageW(list->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_TRUE(testing_support::pump_until([&] { return menu->opened_at.size() == 3; }));

    delete menu;  // the list forgets it
    EXPECT_EQ(list->PopupMenu(), nullptr);
    SendMessageW(list->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list->Handle()), -1);
}

TEST_F(ListViewTest, RowsAndSelectionSurviveANewWindow) {
    list->Columns().Add()->SetCaption(L"时间");
    list->Columns().Add()->SetCaption(L"休息时长（分钟）");
    fill(2);
    list->SetItemIndex(1);
    list->SetParent(nullptr);
    EXPECT_EQ(list->ItemIndex(), 1);
    list->SetParent(&form);
    EXPECT_EQ(header(0), L"时间");
    EXPECT_EQ(cell(1, 1), L"2");
    EXPECT_EQ(list->ItemIndex(), 1);
}

}  // namespace
}  // namespace vistrel
