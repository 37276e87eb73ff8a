// Every page of the main window, as the user sees it: each control lies inside its parent, none covers a visible
// neighbour, and each text fits the room its control gives it in that control's own font. The form's controls are
// walked, not listed, so that a page added or relabelled later is checked as well.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "components/Zqbtn.h"
#include "framework/button.h"
#include "framework/check_box.h"
#include "framework/combo_box.h"
#include "framework/date_time_picker.h"
#include "framework/edit.h"
#include "framework/group_box.h"
#include "framework/label.h"
#include "framework/list_view.h"
#include "framework/radio_button.h"
#include "framework/speed_button.h"
#include "framework/spin_edit.h"
#include "main_window_fixture.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace vistrel::app {
namespace {

// Room a button's 3-D edge takes on each side, with a pixel of air before the caption.
constexpr int kButtonEdge = 3;
// A group box's caption starts this far in and is cleared 2 pixels around (see TGroupBox::PaintWindow).
constexpr int kGroupCaptionIndent = 8 + 2;
// The room a picker keeps between its text and its edges.
constexpr int kPickerTextMargin = 2;
// Room a list view's header leaves around a column's caption.
constexpr int kHeaderMargins = 12;

int text_width(TControl& control, const std::wstring& text) {
    const WindowDc screen(nullptr);
    const SelectGuard font(screen.get(), control.Font().Handle());
    SIZE size{};
    GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The box or circle of a check box or radio button and the gap before its caption, as the system lays them out: a
// box of 12 pixels and one at 96 DPI, grown with the screen's DPI, and half a digit's width of gap.
int check_mark_room(TControl& control) {
    const WindowDc screen(nullptr);
    return 12 * GetDeviceCaps(screen.get(), LOGPIXELSX) / 96 + 1 + text_width(control, L"0") / 2;
}

// An edit's formatting rectangle: what is left for the text inside its border, margins and (for a spin field)
// its arrows.
int edit_text_room(TCustomEdit& edit) {
    RECT text{};
    SendMessageW(edit.Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    return text.right - text.left;
}

// What a date or time picker leaves for its text inside its border: all but its arrows (a time picker's up-down
// child) or its drop-down button, and a margin on each side.
int picker_text_room(TDateTimePicker& picker) {
    RECT client{};
    GetClientRect(picker.Handle(), &client);
    int button = GetSystemMetrics(SM_CXVSCROLL);
    if (HWND arrows = FindWindowExW(picker.Handle(), nullptr, UPDOWN_CLASSW, nullptr)) {
        RECT bounds{};
        GetWindowRect(arrows, &bounds);
        button = bounds.right - bounds.left;
    }
    return client.right - button - 2 * kPickerTextMargin;
}

std::wstring widest(TControl& control, const std::vector<std::wstring>& texts) {
    std::wstring found;
    for (const std::wstring& text : texts) {
        if (text_width(control, text) > text_width(control, found)) {
            found = text;
        }
    }
    return found;
}

// A text a control shows and the room it has for it.
struct ShownText {
    std::wstring text;
    int room;
};

// What each kind of control shows: its caption, the value it holds, or the widest value it can hold.
std::vector<ShownText> shown_texts(TControl& control) {
    const int width = control.Width();
    if (dynamic_cast<TCheckBox*>(&control) != nullptr || dynamic_cast<TRadioButton*>(&control) != nullptr) {
        return {{control.Caption(), width - check_mark_room(control)}};
    }
    if (dynamic_cast<TButton*>(&control) != nullptr || dynamic_cast<TSpeedButton*>(&control) != nullptr ||
        dynamic_cast<TzqBtn*>(&control) != nullptr) {
        return {{control.Caption(), width - 2 * kButtonEdge}};
    }
    if (dynamic_cast<TLabel*>(&control) != nullptr) {
        return {{control.Caption(), width}};
    }
    if (dynamic_cast<TGroupBox*>(&control) != nullptr) {
        return {{control.Caption(), width - 2 * kGroupCaptionIndent}};
    }
    if (auto* spin = dynamic_cast<TSpinEdit*>(&control)) {
        const std::wstring value =
            widest(control, {std::to_wstring(spin->MinValue()), std::to_wstring(spin->MaxValue())});
        return {{value, edit_text_room(*spin)}};
    }
    if (dynamic_cast<TMemo*>(&control) != nullptr) {
        return {};  // many lines that wrap and scroll
    }
    if (auto* edit = dynamic_cast<TCustomEdit*>(&control)) {
        return {{edit->Text(), edit_text_room(*edit)}};
    }
    if (auto* picker = dynamic_cast<TDateTimePicker*>(&control)) {
        wchar_t text[64]{};
        GetWindowTextW(picker->Handle(), text, 64);
        return {{text, picker_text_room(*picker)}};
    }
    if (auto* combo = dynamic_cast<TComboBox*>(&control)) {
        std::vector<std::wstring> items;
        items.reserve(static_cast<std::size_t>(combo->Items().Count()));
        for (int i = 0; i < combo->Items().Count(); ++i) {
            items.push_back(combo->Items()[i]);
        }
        return {{widest(control, items), width - GetSystemMetrics(SM_CXVSCROLL) - 2 * kButtonEdge}};
    }
    if (auto* list = dynamic_cast<TListView*>(&control)) {
        std::vector<ShownText> captions;
        for (int i = 0; i < list->Columns().Count(); ++i) {
            const auto column_width = static_cast<int>(SendMessageW(list->Handle(), LVM_GETCOLUMNWIDTH, i, 0));
            captions.push_back({list->Columns()[i]->Caption(), column_width - kHeaderMargins});
        }
        return captions;
    }
    return {};
}

std::string describe(TControl& control) {
    std::ostringstream text;
    text << typeid(control).name() << " \"" << to_utf8(control.Caption()) << "\" at (" << control.Left() << ", "
         << control.Top() << ") " << control.Width() << " x " << control.Height();
    if (TControl* parent = control.Parent()) {
        text << " in " << typeid(*parent).name() << " \"" << to_utf8(parent->Caption()) << "\" of client "
             << parent->ClientWidth() << " x " << parent->ClientHeight();
    }
    return text.str();
}

bool overlap(const RECT& a, const RECT& b) {
    RECT common{};
    return IntersectRect(&common, &a, &b) != FALSE;
}

// Checks a control and everything on it.
void check_layout(TControl& control) {
    SCOPED_TRACE(describe(control));
    if (TWinControl* parent = control.Parent()) {
        const RECT client = parent->ClientRect();
        const RECT bounds = control.BoundsRect();
        EXPECT_TRUE(bounds.left >= client.left && bounds.top >= client.top && bounds.right <= client.right &&
                    bounds.bottom <= client.bottom)
            << "lies outside its parent's client area";
    }
    for (const ShownText& shown : shown_texts(control)) {
        EXPECT_LE(text_width(control, shown.text), shown.room)
            << "\"" << to_utf8(shown.text) << "\" is wider than its room";
    }
    auto* parent = dynamic_cast<TWinControl*>(&control);
    if (parent == nullptr) {
        return;
    }
    const std::vector<TControl*>& children = parent->Controls();
    for (std::size_t i = 0; i < children.size(); ++i) {
        for (std::size_t j = i + 1; j < children.size(); ++j) {
            if (children[i]->Visible() && children[j]->Visible()) {
                EXPECT_FALSE(overlap(children[i]->BoundsRect(), children[j]->BoundsRect()))
                    << describe(*children[i]) << " covers " << describe(*children[j]);
            }
        }
    }
    for (TControl* child : children) {
        check_layout(*child);
    }
}

using PageLayoutTest = MainWindowTest;

TEST_F(PageLayoutTest, EveryControlOfEveryPageLiesInsideItsParentAndShowsItsTextWhole) {
    make_window();
    TzqPageControl& pages = *form->zqPageControl_main;
    int checked = 0;
    for (int i = 0; i < pages.PageCount(); ++i) {
        TTabSheet& page = *pages.Pages(i);
        if (!page.TabVisible()) {
            continue;  // the developer page never shows
        }
        select_page(&page);
        check_layout(page);
        ++checked;
    }
    EXPECT_EQ(checked, 4);
}

}  // namespace
}  // namespace vistrel::app
