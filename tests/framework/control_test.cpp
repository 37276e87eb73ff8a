#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/button.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/graphic_control.h"
#include "framework/group_box.h"
#include "framework/label.h"
#include "test_support.h"

namespace vistrel {
namespace {

using testing_support::pump_until;

// A windowless control that writes down what reaches it.
class Spot : public TGraphicControl {
public:
    Spot(TForm* form, std::string name, std::vector<std::string>& log) : TGraphicControl(form), name_(std::move(name)) {
        SetParent(form);
        OnClick = [this, &log](TObject*) { log.push_back(name_ + " click"); };
        OnMouseDown = [this, &log](TObject*, TMouseButton, TShiftState, int x, int y) {
            log.push_back(name_ + " down " + std::to_string(x) + "," + std::to_string(y));
        };
        OnMouseEnter = [this, &log](TObject*) { log.push_back(name_ + " enter"); };
        OnMouseLeave = [this, &log](TObject*) { log.push_back(name_ + " leave"); };
    }

private:
    std::string name_;
};

std::unique_ptr<TForm> borderless_form(int width, int height) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, width, height);
    return form;
}

TEST(WindowlessControls, MouseGoesToTheTopmostControlUnderIt) {
    std::vector<std::string> log;
    auto form = borderless_form(200, 100);
    new Spot(form.get(), "under", log);
    auto* over = new Spot(form.get(), "over", log);
    form->Controls()[0]->SetBounds(0, 0, 200, 100);
    over->SetBounds(50, 20, 30, 30);
    form->Show();
    HWND window = form->Handle();

    struct Case {
        const char* name;
        POINT at;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"on the covering control", {60, 30}, {"over enter", "over down 10,10", "over click"}},
        {"beside it", {10, 10}, {"over leave", "under enter", "under down 10,10", "under click"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(c.at.x, c.at.y));
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.at.x, c.at.y));
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(c.at.x, c.at.y));
        EXPECT_EQ(log, c.log);
    }
}

TEST(WindowlessControls, ReleasingOutsideIsNoClick) {
    std::vector<std::string> log;
    auto form = borderless_form(200, 100);
    auto* spot = new Spot(form.get(), "spot", log);
    spot->SetBounds(10, 10, 20, 20);
    form->Show();
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(150, 80));  // the press captured the mouse
    EXPECT_EQ(std::count(log.begin(), log.end(), "spot click"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "spot down 5,5"), 1);
}

TEST(WindowlessControls, HintShowsAfterAPauseAndGoesOnAPress) {
    std::vector<std::string> log;
    auto form = borderless_form(200, 100);
    auto* spot = new Spot(form.get(), "spot", log);
    spot->SetBounds(10, 10, 20, 20);
    spot->Hint = L"关闭";
    spot->ShowHint = true;
    form->Show();
    Application().HintPause = 20;
    SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(15, 15));
    EXPECT_TRUE(pump_until([] { return Application().HintWindow().Showing(); }));
    EXPECT_EQ(Application().HintWindow().Text(), L"关闭");
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(15, 15));
    EXPECT_FALSE(Application().HintWindow().Showing());
    Application().HintPause = 500;
}

TEST(WindowlessControls, LeavingIsWatchedOnlyWhereAHintOrHandlerWaitsForIt) {
    // Wine watches for the mouse leaving a window by polling the pointer: a pointer resting over a control that
    // does not care must cost nothing.
    POINT pointer{};
    GetCursorPos(&pointer);
    auto form = borderless_form(200, 100);
    form->SetBounds(pointer.x - 100, pointer.y - 50, 200, 100);
    auto* plain = new TLabel(form.get());
    plain->SetParent(form.get());
    plain->SetBounds(0, 0, 100, 100);
    auto* hinted = new TLabel(form.get());
    hinted->SetParent(form.get());
    hinted->SetBounds(100, 0, 100, 100);
    hinted->Hint = L"暂停";
    hinted->ShowHint = true;
    form->Show();
    HWND window = form->Handle();
    auto leave_watched = [window] {
        TRACKMOUSEEVENT query{sizeof(query), TME_QUERY, nullptr, 0};
        TrackMouseEvent(&query);
        return query.hwndTrack == window && (query.dwFlags & TME_LEAVE) != 0;
    };

    struct Case {
        const char* name;
        POINT at;
        bool watched;
    };
    const Case cases[] = {
        {"over a plain label", {50, 50}, false},
        {"over a label with a hint", {150, 50}, true},
        {"back over the plain one", {50, 50}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(c.at.x, c.at.y));
        EXPECT_EQ(leave_watched(), c.watched);
    }
    Application().CancelHint();
}

TEST(Layout, AlignedAndAnchoredChildrenFollowTheirParent) {
    auto form = borderless_form(300, 200);
    std::vector<std::string> log;
    auto* filler = new Spot(form.get(), "filler", log);
    filler->SetAlign(alClient);
    auto* corner = new Spot(form.get(), "corner", log);
    corner->SetBounds(250, 170, 40, 20);
    corner->SetAnchors(akRight | akBottom);
    auto* stretch = new TEdit(form.get());
    stretch->SetParent(form.get());
    stretch->SetBounds(10, 10, 280, 21);
    stretch->SetAnchors(akLeft | akTop | akRight);

    for (const bool with_window : {false, true}) {
        SCOPED_TRACE(with_window ? "with a window" : "before the window exists");
        if (with_window) {
            form->Show();
        }
        const int width = with_window ? 400 : 350;
        form->SetBounds(form->Left(), form->Top(), width, 260);
        EXPECT_EQ(filler->BoundsRect().right, width);
        EXPECT_EQ(filler->BoundsRect().bottom, 260);
        EXPECT_EQ(corner->Left(), width - 50);
        EXPECT_EQ(corner->Top(), 230);
        EXPECT_EQ(stretch->Width(), width - 20);
    }
}

TEST(Controls, NotificationsComeBackToTheChildThatSentThem) {
    auto form = borderless_form(300, 200);
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    int clicks = 0;
    int changes = 0;
    button->OnClick = [&](TObject* sender) { clicks += sender == button ? 1 : 100; };
    edit->OnChange = [&](TObject* sender) { changes += sender == edit ? 1 : 100; };
    form->Show();
    EXPECT_EQ(TWinControl::FromHandle(button->Handle()), button);
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    edit->SetText(L"确定");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit->Text(), L"确定");
}

TEST(Controls, AChildAskedForItsWindowFirstMakesEveryWindowOnce) {
    // Its parent's new window makes the windows of all the parent's children, this one's among them.
    static int windows_made = 0;
    windows_made = 0;
    HHOOK hook = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wparam, LPARAM lparam) -> LRESULT {
            windows_made += code == HCBT_CREATEWND ? 1 : 0;
            return CallNextHookEx(nullptr, code, wparam, lparam);
        },
        nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    auto form = borderless_form(300, 200);
    auto* group = new TGroupBox(form.get());
    group->SetParent(form.get());
    auto* edit = new TEdit(form.get());
    edit->SetParent(group);
    HWND made = edit->Handle();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(windows_made, 3);  // the form, the group and the edit
    EXPECT_TRUE(IsWindow(made));
    EXPECT_EQ(GetParent(made), group->Handle());
    EXPECT_EQ(GetParent(group->Handle()), form->Handle());
}

TEST(Controls, AHiddenChildGetsItsWindowWhenShownOrAskedFor) {
    auto form = borderless_form(300, 200);
    auto* shown_later = new TEdit(form.get());
    shown_later->SetParent(form.get());
    shown_later->SetVisible(false);
    auto* asked_for = new TEdit(form.get());
    asked_for->SetParent(form.get());
    asked_for->SetVisible(false);
    form->Show();
    EXPECT_FALSE(shown_later->HandleAllocated());
    EXPECT_FALSE(asked_for->HandleAllocated());

    shown_later->SetVisible(true);
    ASSERT_TRUE(shown_later->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(shown_later->Handle()));
    EXPECT_FALSE(IsWindowVisible(asked_for->Handle()));
    EXPECT_EQ(GetParent(asked_for->Handle()), form->Handle());
}

TEST(Controls, LabelSizesItselfToItsLines) {
    auto form = borderless_form(300, 200);
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetCaption(L"确定");
    const int one_line = label->Height();
    const int two_chars = label->Width();
    label->SetCaption(L"确定\r\n取消取消");
    EXPECT_GT(one_line, 8);
    EXPECT_EQ(label->Height(), 2 * one_line);
    EXPECT_EQ(label->Width(), 2 * two_chars);
}

TEST(Controls, ChineseTextRendersAsDistinctGlyphs) {
    // With the font mapping in place each character has its own shape, not a shared box.
    TBitmap bitmap;
    bitmap.SetSize(64, 32);
    auto draw = [&](const wchar_t* text) {
        PatBlt(bitmap.Canvas().Handle(), 0, 0, 64, 32, WHITENESS);
        bitmap.Canvas().Font().SetSize(12);
        bitmap.Canvas().Brush().SetStyle(bsClear);
        bitmap.Canvas().TextOut(2, 2, text);
        std::vector<COLORREF> shape;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                shape.push_back(GetPixel(bitmap.Canvas().Handle(), x, y));
            }
        }
        return shape;
    };
    const auto first = draw(L"确");
    const auto second = draw(L"定");
    EXPECT_NE(first, second);
    EXPECT_GT(std::count(first.begin(), first.end(), COLORREF{0}), 10);
}

}  // namespace
}  // namespace vistrel
