#include "components/Zqmenu.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/form.h"
#include "test_support.h"

namespace vistrel {
namespace {

using testing_support::color_text;
using testing_support::Surface;

constexpr COLORREF kBar = RGB(223, 223, 223);

// The main window's painter: 宋体 12 pixels, red when selected, over the tray menu's items.
class MenuPainterTest : public testing::Test {
protected:
    MenuPainterTest() {
        form.Font().SetName(L"宋体");
        form.Font().SetHeight(-12);
        painter = new TzqMenu(&form);
        menu = new TPopupMenu(&form);
        for (const wchar_t* caption : {L"隐藏窗口", L"暂停运行", L"恢复运行", L"-", L"退出(&Q)"}) {
            items.push_back(add(menu->Items(), caption));
        }
        items[2]->Enabled = false;
        painter->ActivatezqMenu(menu);
    }

    TMenuItem* add(TMenuItem& parent, const wchar_t* caption) {
        auto* item = new TMenuItem(&form);
        item->Caption = caption;
        parent.Add(item);
        return item;
    }

    SIZE text_extent(const std::wstring& text, const TFont& font) {
        Surface surface(1, 1);
        surface.canvas().Font().Assign(font);
        return surface.canvas().TextExtent(text);
    }

    // Draws one item into a surface of its own, the way the menu's owner window asks for it.
    void draw(Surface& surface, TMenuItem& item, bool selected) {
        item.OnDrawItem(&item, surface.canvas(), RECT{0, 0, surface.width(), surface.height()}, selected);
    }

    TForm form{nullptr};
    TzqMenu* painter = nullptr;
    TPopupMenu* menu = nullptr;
    std::vector<TMenuItem*> items;
};

TEST_F(MenuPainterTest, MeasuresCaptionsAsWrittenAndSeparatorsThreePixelsHigh) {
    for (TMenuItem* item : items) {
        SCOPED_TRACE(testing::PrintToString(item->Caption));
        int width = 77;
        int height = 0;
        item->OnMeasureItem(item, measuring_canvas(), width, height);
        if (item->IsLine()) {
            EXPECT_EQ(height, 3);
            EXPECT_EQ(width, 77);
            continue;
        }
        const SIZE extent = text_extent(item->Caption, painter->MenuTextFont());  // "&" included
        EXPECT_EQ(height, extent.cy + 10);
        EXPECT_EQ(width, extent.cx + 10 + 5);
    }
    painter->LPicture().SetSize(20, 200);
    int width = 0;
    int height = 0;
    items[0]->OnMeasureItem(items[0], measuring_canvas(), width, height);
    EXPECT_EQ(width, text_extent(L"隐藏窗口", painter->MenuTextFont()).cx + 20 + 15);
}

TEST_F(MenuPainterTest, ShownMenuHasTheMeasuredItemHeights) {
    const int text_height = text_extent(L"隐藏窗口", painter->MenuTextFont()).cy;
    static std::vector<int> heights;
    static HMENU shown;
    heights.clear();
    shown = nullptr;
    menu->OnPopup = [&](TObject*) {
        SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
            HWND window = FindWindowW(L"#32768", nullptr);
            if (window == nullptr || !IsWindowVisible(window)) {
                return;
            }
            KillTimer(nullptr, id);
            shown = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
            for (int i = 0; i < GetMenuItemCount(shown); ++i) {
                RECT r{};
                GetMenuItemRect(nullptr, shown, static_cast<UINT>(i), &r);
                heights.push_back(r.bottom - r.top);
            }
            EndMenu();
        });
    };
    menu->Popup(100, 100);
    EXPECT_EQ(heights, (std::vector<int>{text_height + 10, text_height + 10, text_height + 10, 3, text_height + 10}));
}

TEST_F(MenuPainterTest, SelectedItemRunsTheGradientFromTheHighlightColour) {
    Surface surface(200, 22);
    draw(surface, *items[0], true);
    // 120 steps over 200 pixels: strips 2 pixels wide, red rising by 256 / 120 a step.
    struct Probe {
        int x;
        COLORREF colour;
    };
    for (const Probe p : {Probe{0, RGB(0, 128, 128)}, Probe{3, RGB(2, 128, 128)}, Probe{16, RGB(17, 128, 128)},
                          Probe{199, RGB(211, 128, 128)}}) {
        EXPECT_EQ(color_text(surface.pixel(p.x, 1)), color_text(p.colour)) << "x " << p.x;
    }
    painter->MenuBarColorHL = RGB(128, 0, 128);
    draw(surface, *items[0], true);
    EXPECT_EQ(color_text(surface.pixel(16, 1)), color_text(RGB(128, 17, 128)));

    draw(surface, *items[0], false);
    EXPECT_EQ(color_text(surface.pixel(16, 1)), color_text(kBar));
    TMenuItem* empty = add(menu->Items(), L"");
    painter->ActivatezqMenu(menu);
    draw(surface, *empty, true);  // nothing to highlight: the plain face
    EXPECT_EQ(color_text(surface.pixel(16, 1)), color_text(kBar));
}

TEST_F(MenuPainterTest, SeparatorIsAGreyLineOverAWhiteOne) {
    Surface surface(120, 3);
    draw(surface, *items[3], false);
    for (const int x : {0, 60, 119}) {
        EXPECT_EQ(color_text(surface.pixel(x, 0)), color_text(kBar));
        EXPECT_EQ(color_text(surface.pixel(x, 1)), color_text(RGB(128, 128, 128)));
        EXPECT_EQ(color_text(surface.pixel(x, 2)), color_text(RGB(255, 255, 255)));
    }
}

TEST_F(MenuPainterTest, DisabledCaptionsAreGreyAndEmbossedOnlyWhenNotSelected) {
    const auto count = [](const Surface& s, const std::function<bool(COLORREF)>& wanted) {
        int n = 0;
        for (int y = 0; y < s.height(); ++y) {
            for (int x = 0; x < s.width(); ++x) {
                n += wanted(s.pixel(x, y)) ? 1 : 0;
            }
        }
        return n;
    };
    const auto white = [](COLORREF c) { return c == RGB(255, 255, 255); };
    const auto grey = [](COLORREF c) { return c == RGB(128, 128, 128); };
    // Smoothed glyph edges blend into the gradient: red is any strongly red pixel.
    const auto red = [](COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 90 && GetBValue(c) < 90; };
    struct Case {
        const char* name;
        int item;
        bool selected;
        bool white_copies;
        bool grey_text;
        bool red_text;
    };
    const Case cases[] = {
        {"disabled", 2, false, true, true, false},
        {"disabled and selected", 2, true, false, true, false},
        {"enabled and selected", 1, true, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Surface surface(120, 22);
        draw(surface, *items[static_cast<std::size_t>(c.item)], c.selected);
        EXPECT_EQ(count(surface, white) > 10, c.white_copies);
        EXPECT_EQ(count(surface, grey) > 10, c.grey_text);
        EXPECT_EQ(count(surface, red) > 10, c.red_text);
    }
}

TEST_F(MenuPainterTest, AcceleratorIsUnderlinedAndItsAmpersandNotDrawn) {
    Surface drawn(120, 22, kBar);
    draw(drawn, *items[4], false);
    // The same caption without "&" and without underline, at the same place.
    Surface plain(120, 22, kBar);
    TCanvas& canvas = plain.canvas();
    canvas.Font().Assign(painter->MenuTextFont());
    canvas.Brush().SetStyle(bsClear);
    const SIZE extent = canvas.TextExtent(L"退出(Q)");
    const int top = (22 - extent.cy) / 2;
    canvas.TextOut(5, top, L"退出(Q)");
    const int q_left = 5 + canvas.TextWidth(L"退出(");
    const int q_right = q_left + canvas.TextWidth(L"Q");
    int underline = 0;
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (drawn.pixel(x, y) != plain.pixel(x, y)) {
                EXPECT_TRUE(x >= q_left && x < q_right) << "differs outside the Q at " << x << "," << y;
                ++underline;
            }
        }
    }
    EXPECT_GE(underline, q_right - q_left - 1);
}

TEST_F(MenuPainterTest, LeftPictureLinesUpWithTheBottomOfTheMenu) {
    TBitmap& picture = painter->LPicture();
    picture.SetSize(20, 300);
    for (int y = 0; y < 300; ++y) {
        const UniqueHbrush brush(CreateSolidBrush(RGB(y % 256, y / 256, 50)));
        const RECT row{0, y, 20, y + 1};
        FillRect(picture.Canvas().Handle(), &row, brush.get());
    }
    Surface surface(150, 100);
    const UniqueHrgn clip(CreateRectRgn(0, 0, 150, 100));
    SelectClipRgn(surface.dc(), clip.get());
    items[0]->OnDrawItem(items[0], surface.canvas(), RECT{0, 20, 150, 42}, false);
    // Rows 220 to 241 of the picture: 300 tall, its bottom on the menu's bottom at 100.
    EXPECT_EQ(color_text(surface.pixel(5, 20)), color_text(RGB(220, 0, 50)));
    EXPECT_EQ(color_text(surface.pixel(5, 41)), color_text(RGB(241, 0, 50)));
    EXPECT_EQ(color_text(surface.pixel(20, 21)), color_text(kBar));  // the face starts after the strip
}

TEST_F(MenuPainterTest, HooksEveryPopupItemTheSubmenusOfAMainMenuAndNothingAddedLater) {
    TMenuItem* sub = add(*items[0], L"子项");
    painter->ActivatezqMenu(menu);
    EXPECT_TRUE(static_cast<bool>(sub->OnDrawItem));
    TMenuItem* late = add(menu->Items(), L"后加");
    EXPECT_FALSE(static_cast<bool>(late->OnMeasureItem));

    auto* bar = new TMainMenu(&form);
    TMenuItem* top = add(bar->Items(), L"文件(&F)");
    TMenuItem* command = add(*top, L"退出(&Q)");
    TMenuItem* deeper = add(*add(*top, L"更多"), L"关于");
    painter->SetzqMainMenu(bar);
    painter->SetzqPopupMenu(nullptr);
    painter->Loaded();
    EXPECT_TRUE(bar->OwnerDraw());
    EXPECT_FALSE(static_cast<bool>(top->OnDrawItem));
    EXPECT_TRUE(static_cast<bool>(command->OnDrawItem));
    EXPECT_TRUE(static_cast<bool>(deeper->OnMeasureItem));

    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(bar->Handle(), 0, TRUE, &info);
    EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u);  // the bar keeps the system's drawing
    GetMenuItemInfoW(GetSubMenu(bar->Handle(), 0), 0, TRUE, &info);
    EXPECT_NE(info.fType & MFT_OWNERDRAW, 0u);

    delete bar;
    EXPECT_EQ(painter->zqMainMenu(), nullptr);
}

TEST_F(MenuPainterTest, ItemsOutliveTheirPainterHarmlessly) {
    delete painter;
    int width = 5;
    int height = 6;
    items[0]->OnMeasureItem(items[0], measuring_canvas(), width, height);
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 6);
}

TEST_F(MenuPainterTest, TheAcceleratorKeyChoosesItsOwnerDrawnItem) {
    bool quit = false;
    items[4]->OnClick = [&](TObject*) { quit = true; };
    menu->OnPopup = [](TObject*) {
        SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
            HWND window = FindWindowW(L"#32768", nullptr);
            if (window != nullptr && IsWindowVisible(window)) {
                KillTimer(nullptr, id);
                PostMessageW(window, WM_CHAR, L'q', 0);
            }
        });
    };
    menu->Popup(100, 100);
    EXPECT_TRUE(quit);
}

// The tray menu open, its second item selected, the third disabled.
TEST_F(MenuPainterTest, Screenshot) {
    static TPopupMenu* open_menu;
    static int step;
    open_menu = menu;
    step = 0;
    menu->OnPopup = [](TObject*) {
        SetTimer(nullptr, 0, 60, [](HWND, UINT, UINT_PTR id, DWORD) {
            HWND window = FindWindowW(L"#32768", nullptr);
            if (window == nullptr || !IsWindowVisible(window)) {
                return;
            }
            if (step++ == 0) {
                HiliteMenuItem(TPopupMenu::OwnerWindow(), open_menu->Handle(), 1, MF_BYPOSITION | MF_HILITE);
                return;
            }
            KillTimer(nullptr, id);
            testing_support::save_screenshot(window, "popup_menu");
            EndMenu();
        });
    };
    testing_support::park_pointer();
    menu->Popup(60, 60);
    EXPECT_GE(step, 2);
}

}  // namespace
}  // namespace vistrel
