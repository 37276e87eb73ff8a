#include "framework/menu.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/form.h"
#include "test_support.h"

namespace vistrel {
namespace {

using testing_support::when_menu_opens;

class PopupMenuTest : public testing::Test {
protected:
    TMenuItem* add(TMenuItem& parent, const wchar_t* caption) {
        auto* item = new TMenuItem(&owner);
        item->Caption = caption;
        item->OnClick = [this, caption](TObject*) { log.push_back(caption); };
        parent.Add(item);
        return item;
    }

    TComponent owner{nullptr};
    TPopupMenu* menu = new TPopupMenu(&owner);
    std::vector<std::wstring> log;
};

TEST_F(PopupMenuTest, BuildsTheVisibleItemsWithTheirStatesAndRunsTheChosenOne) {
    TMenuItem* first = add(menu->Items(), L"第一");
    TMenuItem* disabled = add(menu->Items(), L"禁用");
    disabled->Enabled = false;
    disabled->Checked = true;
    add(menu->Items(), L"隐藏")->Visible = false;
    add(menu->Items(), L"-");
    add(*add(menu->Items(), L"更多"), L"子项");
    menu->OnPopup = [&](TObject*) { log.push_back(L"popup"); };
    struct Seen {
        int count = 0;
        UINT disabled_state = 0;
        UINT separator_type = 0;
        int submenu_count = 0;
    };
    static Seen seen;
    seen = {};
    static TPopupMenu* open;
    open = menu;
    when_menu_opens([](HWND window) {
        HMENU handle = open->Handle();
        seen.count = GetMenuItemCount(handle);
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_FTYPE;
        GetMenuItemInfoW(handle, 1, TRUE, &info);
        seen.disabled_state = info.fState;
        GetMenuItemInfoW(handle, 2, TRUE, &info);
        seen.separator_type = info.fType;
        seen.submenu_count = GetMenuItemCount(GetSubMenu(handle, 3));
        HiliteMenuItem(TPopupMenu::OwnerWindow(), handle, 0, MF_BYPOSITION | MF_HILITE);
        PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    });
    menu->Popup(80, 80);
    EXPECT_EQ(seen.count, 4);
    EXPECT_EQ(seen.disabled_state & (MFS_DISABLED | MFS_CHECKED), static_cast<UINT>(MFS_DISABLED | MFS_CHECKED));
    EXPECT_NE(seen.separator_type & MFT_SEPARATOR, 0u);
    EXPECT_EQ(seen.submenu_count, 1);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"popup", L"第一"}));
    EXPECT_EQ(menu->Handle(), nullptr);  // the system menu lives only while shown
    (void)first;
}

TEST_F(PopupMenuTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheirHandlersOthersByTheSystem) {
    TMenuItem* drawn = add(menu->Items(), L"画");
    add(menu->Items(), L"系统");
    menu->SetOwnerDraw(true);
    std::vector<bool> draws;
    drawn->OnMeasureItem = [](TObject*, TCanvas&, int& width, int& height) {
        width = 90;
        height = 31;
    };
    drawn->OnDrawItem = [&](TObject* sender, TCanvas& canvas, const RECT& rect, bool selected) {
        EXPECT_EQ(sender, drawn);
        EXPECT_EQ(rect.bottom - rect.top, 31);
        canvas.Brush().SetColor(RGB(0, 128, 128));
        canvas.FillRect(rect);
        draws.push_back(selected);
    };
    static RECT item_rect;
    static UINT system_type;
    static TPopupMenu* open;
    open = menu;
    when_menu_opens([](HWND) {
        GetMenuItemRect(nullptr, open->Handle(), 0, &item_rect);
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(open->Handle(), 1, TRUE, &info);
        system_type = info.fType;
        EndMenu();
    });
    menu->Popup(80, 80);
    EXPECT_EQ(item_rect.bottom - item_rect.top, 31);
    EXPECT_EQ(system_type & MFT_OWNERDRAW, 0u);
    ASSERT_FALSE(draws.empty());
    EXPECT_FALSE(draws.front());
    EXPECT_TRUE(log.empty());  // closed without a choice
}

TEST_F(PopupMenuTest, ItemsComeAndGoSafely) {
    TMenuItem* parent = add(menu->Items(), L"父");
    TMenuItem* child = add(*parent, L"子");
    TMenuItem* other = add(*parent, L"另一");
    EXPECT_GE(child->Command(), 0x100u);
    EXPECT_NE(child->Command(), other->Command());
    EXPECT_EQ(TMenuItem::FromCommand(child->Command()), child);
    const UINT command = child->Command();
    delete child;
    EXPECT_EQ(TMenuItem::FromCommand(command), nullptr);
    ASSERT_EQ(parent->Count(), 1);
    EXPECT_EQ(parent->Items(0), other);
    delete parent;
    EXPECT_EQ(other->Parent(), nullptr);
    EXPECT_EQ(menu->Items().Count(), 0);
    menu->Items().Insert(0, other);
    EXPECT_EQ(other->Parent(), &menu->Items());
}

TEST(MainMenu, CommandsToTheWindowReachTheirItems) {
    TForm form(nullptr);
    auto* bar = new TMainMenu(&form);
    auto* file = new TMenuItem(&form);
    file->Caption = L"文件(&F)";
    bar->Items().Add(file);
    auto* quit = new TMenuItem(&form);
    quit->Caption = L"退出(&Q)";
    file->Add(quit);
    int clicks = 0;
    quit->OnClick = [&](TObject*) { ++clicks; };
    form.SetMenu(bar);
    EXPECT_EQ(GetMenu(form.Handle()), bar->Handle());
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(quit->Command(), 0), 0);
    EXPECT_EQ(clicks, 1);

    file->Caption = L"档案(&F)";
    bar->Rebuild();
    wchar_t text[32]{};
    GetMenuStringW(GetMenu(form.Handle()), 0, text, 32, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"档案(&F)");

    form.SetMenu(nullptr);  // only a form showing the bar answers for its items
    EXPECT_EQ(GetMenu(form.Handle()), nullptr);
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(quit->Command(), 0), 0);
    EXPECT_EQ(clicks, 1);
}

TEST(MainMenu, TheBarOutlivesTheWindowAndTheFormOutlivesTheMenu) {
    struct Form : TForm {
        using TForm::DestroyHandle;
        using TForm::TForm;
    } form(nullptr);
    auto* bar = new TMainMenu(&form);
    auto* file = new TMenuItem(&form);
    file->Caption = L"文件";
    bar->Items().Add(file);
    form.SetMenu(bar);
    form.HandleNeeded();
    const HMENU shown = bar->Handle();
    ASSERT_EQ(GetMenu(form.Handle()), shown);
    // A window destroys its menu bar with it: the form takes the bar back first, and shows it again.
    form.DestroyHandle();
    form.HandleNeeded();
    EXPECT_TRUE(IsMenu(shown));
    EXPECT_EQ(GetMenu(form.Handle()), shown);
    delete bar;
    EXPECT_EQ(form.Menu(), nullptr);
    EXPECT_EQ(GetMenu(form.Handle()), nullptr);
}

}  // namespace
}  // namespace vistrel
