#include "components/Zqbtn.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/form.h"
#include "test_support.h"

namespace vistrel {
namespace {

using testing_support::color_text;
using testing_support::Surface;

constexpr COLORREF kFace = RGB(223, 223, 223);
constexpr COLORREF kLight = RGB(255, 255, 255);
constexpr COLORREF kDark = RGB(112, 112, 112);
constexpr COLORREF kBackground = RGB(255, 0, 255);

COLORREF frame_colour() {
    return GetSysColor(COLOR_WINDOWFRAME);
}

// A button painted on its own into memory, the way its parent paints it.
class ButtonPaint {
public:
    explicit ButtonPaint(TzqBtn& button) : button_(button), surface_(button.Width(), button.Height(), kBackground) {
        button_.paint_on(surface_.dc());
    }
    COLORREF at(int x, int y) const { return surface_.pixel(x, y); }
    int count(COLORREF colour, const RECT& area) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                n += surface_.pixel(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }

private:
    TzqBtn& button_;
    Surface surface_;
};

std::unique_ptr<TBitmap> solid_bitmap(int width, int height, COLORREF colour, COLORREF corner) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    const UniqueHbrush brush(CreateSolidBrush(colour));
    const RECT all{0, 0, width, height};
    FillRect(bitmap->Canvas().Handle(), &all, brush.get());
    SetPixel(bitmap->Canvas().Handle(), 0, height - 1, corner);  // the transparent colour
    return bitmap;
}

void move_mouse(TzqBtn& button, TMouseState state) {
    switch (state) {
        case msLeave:
            button.MouseLeave();
            break;
        case msEnter:
            button.MouseEnter();
            break;
        case msDown:
            button.mouse_message(WM_LBUTTONDOWN, ssLeft, 5, 5);
            break;
    }
}

TEST(PictureButtonBorder, ShowsTheReliefOfItsStyleAndMouseStateInShadesOfItsColour) {
    enum Look { flat, raised_framed, raised, sunken };
    struct Case {
        TzqBorderStyle style;
        TMouseState state;
        Look look;
    };
    const Case cases[] = {
        {cbsSingle, msLeave, raised_framed},
        {cbsSingle, msEnter, raised_framed},
        {cbsSingle, msDown, sunken},
        {cbsFlat, msLeave, flat},
        {cbsFlat, msEnter, raised},
        {cbsFlat, msDown, sunken},
        {cbsNone, msLeave, flat},
        {cbsNone, msEnter, flat},
        {cbsNone, msDown, flat},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << int{c.style} << " state " << int{c.state});
        TzqBtn button(nullptr);
        button.setBorderStyle(c.style);
        move_mouse(button, c.state);
        const ButtonPaint paint(button);
        const int w = button.Width();
        const int h = button.Height();
        switch (c.look) {
            case flat:
                EXPECT_EQ(color_text(paint.at(0, 0)), color_text(kFace));
                EXPECT_EQ(color_text(paint.at(w - 1, h - 1)), color_text(kFace));
                break;
            case raised_framed:
                EXPECT_EQ(color_text(paint.at(0, 0)), color_text(frame_colour()));
                EXPECT_EQ(color_text(paint.at(w - 1, 10)), color_text(frame_colour()));
                EXPECT_EQ(color_text(paint.at(1, 10)), color_text(kLight));
                EXPECT_EQ(color_text(paint.at(10, 1)), color_text(kLight));
                EXPECT_EQ(color_text(paint.at(w - 2, 10)), color_text(kDark));
                EXPECT_EQ(color_text(paint.at(10, h - 2)), color_text(kDark));
                EXPECT_EQ(color_text(paint.at(2, 2)), color_text(kFace));
                break;
            case raised:
                EXPECT_EQ(color_text(paint.at(0, 10)), color_text(kLight));
                EXPECT_EQ(color_text(paint.at(10, 0)), color_text(kLight));
                EXPECT_EQ(color_text(paint.at(w - 1, 10)), color_text(kDark));
                EXPECT_EQ(color_text(paint.at(10, h - 1)), color_text(kDark));
                break;
            case sunken:
                EXPECT_EQ(color_text(paint.at(0, 10)), color_text(kDark));
                EXPECT_EQ(color_text(paint.at(10, 0)), color_text(kDark));
                EXPECT_EQ(color_text(paint.at(w - 1, 10)), color_text(kLight));
                EXPECT_EQ(color_text(paint.at(10, h - 1)), color_text(kLight));
                break;
        }
    }
}

TEST(PictureButtonBorder, ACheckedButtonWithoutCheckMarkIsSunkenUntilUnchecked) {
    TzqBtn button(nullptr);
    button.setCheckState(true);
    EXPECT_EQ(color_text(ButtonPaint(button).at(10, 0)), color_text(kDark));
    EXPECT_EQ(button.CurrentBevel(), Bevel::sunken);
    button.setCheckState(false);
    EXPECT_EQ(color_text(ButtonPaint(button).at(0, 0)), color_text(frame_colour()));
    EXPECT_EQ(color_text(ButtonPaint(button).at(1, 10)), color_text(kLight));
}

// The check box stands at the left, 1 pixel in, vertically centred: (1, 6) to (14, 19) on a 75 x 25 button.
class CheckMarkTest : public testing::Test {
protected:
    CheckMarkTest() {
        button.setBorderStyle(cbsNone);
        button.setAlignment(taLeftJustify);
    }
    const RECT box{1, 6, 14, 19};
    TzqBtn button{nullptr};
};

TEST_F(CheckMarkTest, SystemDrawnMarksDifferWhenChecked) {
    for (const TCheckStyle style : {csPushButton, csCheckBox, csRadioButton}) {
        SCOPED_TRACE(testing::Message() << "style " << int{style});
        button.setCheckStyle(style);
        button.setCheckState(false);
        Surface unchecked(button.Width(), button.Height(), kBackground);
        button.paint_on(unchecked.dc());
        button.setCheckState(true);
        Surface checked(button.Width(), button.Height(), kBackground);
        button.paint_on(checked.dc());
        int changed = 0;
        for (int y = 0; y < button.Height(); ++y) {
            for (int x = 0; x < button.Width(); ++x) {
                const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                if (unchecked.pixel(x, y) != checked.pixel(x, y)) {
                    EXPECT_TRUE(inside) << "changed outside the box at " << x << "," << y;
                    ++changed;
                }
            }
        }
        EXPECT_GE(changed, 4);
    }
}

TEST_F(CheckMarkTest, DiamondAndTrafficLightColours) {
    const int cx = 7;   // l + h
    const int cy = 12;  // t + h
    struct Case {
        TCheckStyle style;
        bool checked;
        bool enabled;
        COLORREF centre;
    };
    const Case cases[] = {
        {csDiamond, true, true, RGB(0, 0, 0)},
        {csDiamond, true, false, RGB(128, 128, 128)},
        {csDiamond, false, true, kFace},
        {csTrafficLight, true, true, RGB(255, 0, 0)},
        {csTrafficLight, false, true, RGB(0, 255, 0)},
        {csTrafficLight, true, false, RGB(128, 128, 128)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << int{c.style} << " checked " << c.checked << " enabled "
                                        << c.enabled);
        button.setCheckStyle(c.style);
        button.setCheckState(c.checked);
        button.SetEnabled(c.enabled);
        const ButtonPaint paint(button);
        EXPECT_EQ(color_text(paint.at(cx, cy)), color_text(c.centre));
        if (c.style == csDiamond) {
            // The top corner starts the upper-left edges: shadow when checked, highlight when not.
            const COLORREF edge = GetSysColor(c.checked ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
            EXPECT_EQ(color_text(paint.at(cx, box.top)), color_text(edge));
            EXPECT_EQ(color_text(paint.at(box.left + 1, cy - 1)), color_text(edge));
        } else {
            EXPECT_EQ(color_text(paint.at(cx, box.top + 1)), color_text(RGB(0, 0, 0)));  // the outline
        }
    }
}

TEST_F(CheckMarkTest, RightAlignedBoxStandsRightOfTheText) {
    button.setAlignment(taRightJustify);
    button.setCheckStyle(csTrafficLight);
    button.SetCaption(L"Go");
    const ButtonPaint paint(button);
    const int box_left = button.Width() - 13 - 1;
    EXPECT_EQ(color_text(paint.at(box_left + 6, 12)), color_text(RGB(0, 255, 0)));
    EXPECT_EQ(color_text(paint.at(7, 12)), color_text(kFace));
}

TEST(PictureButtonCaption, DisabledTextIsGreyWithAWhiteShadow) {
    TzqBtn button(nullptr);
    button.setBorderStyle(cbsNone);
    button.Font().SetName(L"宋体");
    button.Font().SetHeight(-12);
    button.SetCaption(L"保存热键");
    const RECT text{1, 1, button.Width() - 1, button.Height() - 1};
    const ButtonPaint enabled(button);
    EXPECT_GT(enabled.count(RGB(0, 0, 0), text), 10);
    EXPECT_EQ(enabled.count(kLight, text), 0);
    button.SetEnabled(false);
    const ButtonPaint disabled(button);
    EXPECT_EQ(disabled.count(RGB(0, 0, 0), text), 0);
    EXPECT_GT(disabled.count(RGB(128, 128, 128), text), 10);
    EXPECT_GT(disabled.count(kLight, text), 10);
}

TEST(PictureButtonCaption, AutoSizeFitsTheCaptionAndBox) {
    TzqBtn button(nullptr);
    button.SetCaption(L"Fit");
    button.setCheckStyle(csCheckBox);
    button.setAutoSize(true);
    const SIZE extent = [&] {
        Surface surface(1, 1);
        surface.canvas().Font().Assign(button.Font());
        return surface.canvas().TextExtent(L"Fit");
    }();
    const ButtonPaint paint(button);
    EXPECT_EQ(button.Width(), 13 + extent.cx + 3);
    EXPECT_EQ(button.Height(), extent.cy + 2);
}

TEST(PictureButtonPicture, PlacedByDisplayModeAndOffset) {
    struct Case {
        const char* name;
        TDisplayMode mode;
        const wchar_t* offset;
        std::vector<POINT> picture;
        std::vector<POINT> face;
    };
    const Case cases[] = {
        {"normal", dmNormal, L"(0,0,0,0)", {{0, 0}, {9, 9}}, {{10, 10}, {40, 12}}},
        {"normal with offset", dmNormal, L"(5,3,0,0)", {{5, 3}, {14, 12}}, {{4, 2}, {15, 13}}},
        {"centred", dmCenter, L"(0,0,0,0)", {{32, 7}, {41, 16}}, {{31, 6}, {42, 17}}},
        {"tiled", dmTile, L"(0,0,0,0)", {{0, 0}, {74, 24}, {45, 15}}, {}},
        {"stretched", dmStretch, L"(0,0,0,0)", {{0, 0}, {74, 24}, {40, 12}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TzqBtn button(nullptr);
        button.setBorderStyle(cbsNone);
        TPictureListItem& item = button.PictureList().Add();
        item.Picture().SetGraphic(solid_bitmap(10, 10, RGB(200, 0, 0), RGB(200, 0, 0)).get());
        item.setDisplayMode(c.mode);
        item.SetOffsetByString(c.offset);
        button.setCurrentPictureIndex(0);
        const ButtonPaint paint(button);
        for (const POINT p : c.picture) {
            EXPECT_EQ(color_text(paint.at(p.x, p.y)), color_text(RGB(200, 0, 0))) << p.x << "," << p.y;
        }
        for (const POINT p : c.face) {
            EXPECT_EQ(color_text(paint.at(p.x, p.y)), color_text(kFace)) << p.x << "," << p.y;
        }
    }
}

TEST(PictureButtonPicture, TransparentPicturesLetTheFaceThroughAndBadIndicesShowNone) {
    TzqBtn button(nullptr);
    button.setBorderStyle(cbsNone);
    TPictureListItem& item = button.PictureList().Add();
    auto bitmap = solid_bitmap(20, 20, RGB(0, 0, 200), RGB(0, 255, 0));
    SetPixel(bitmap->Canvas().Handle(), 10, 10, RGB(0, 255, 0));
    item.Picture().SetGraphic(bitmap.get());
    item.setDisplayMode(dmNormal);
    item.setTransparent(true);
    button.setCurrentPictureIndex(0);
    const ButtonPaint shown(button);
    EXPECT_EQ(color_text(shown.at(5, 5)), color_text(RGB(0, 0, 200)));
    EXPECT_EQ(color_text(shown.at(10, 10)), color_text(kFace));
    EXPECT_EQ(color_text(shown.at(0, 19)), color_text(kFace));

    button.setCurrentPictureIndex(1);
    EXPECT_EQ(button.PictureIndex(), 1);
    EXPECT_EQ(color_text(ButtonPaint(button).at(5, 5)), color_text(kFace));
}

TEST(PictureButtonPicture, AutoSwitchChoosesByMouseStateAndOverridesTheProgram) {
    TzqBtn button(nullptr);
    for (int i = 0; i < 3; ++i) {
        button.PictureList().Add();
    }
    button.setCurrentPictureIndex(1);
    button.MouseEnter();
    button.MouseLeave();
    EXPECT_EQ(button.PictureIndex(), 1);  // without AutoSwitch the mouse never changes the picture

    TPictureOpt& options = button.PictureOpt();
    options.SetMouseLeavePictureIndex(0);
    options.SetMouseEnterPictureIndex(1);
    options.SetMouseDownPictureIndex(2);
    options.SetAutoSwitch(true);
    EXPECT_EQ(button.PictureIndex(), 0);
    button.setCurrentPictureIndex(2);
    EXPECT_EQ(button.PictureIndex(), 0);  // the program cannot choose while AutoSwitch is on
    std::vector<int> seen;
    for (const TMouseState state : {msEnter, msDown, msLeave}) {
        move_mouse(button, state);
        seen.push_back(button.PictureIndex());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 0}));
    button.SetEnabled(false);
    button.MouseEnter();
    EXPECT_EQ(button.PictureIndex(), 0);  // a disabled button ignores the mouse coming in
}

TEST(PictureButtonPicture, EditingAnEmptyListAddsATransparentPicture) {
    TzqBtn button(nullptr);
    TPicture& picture = button.GetPicture();
    ASSERT_EQ(button.PictureList().Count(), 1);
    EXPECT_TRUE(button.PictureList().Items(0).Transparent());
    EXPECT_EQ(&picture, &button.PictureList().Items(0).Picture());
    EXPECT_EQ(button.PictureIndex(), 0);
}

TEST(PictureButtonPicture, IndicesOutsideTheListAreRefused) {
    TzqBtn button(nullptr);
    TPictureList& list = button.PictureList();
    list.Add();
    list.Add();
    for (const int index : {-1, 2, 1000}) {
        SCOPED_TRACE(index);
        EXPECT_THROW(list.Items(index), std::out_of_range);
        EXPECT_THROW(list.Delete(index), std::out_of_range);
        list.Move(index, 0);  // moving from nowhere changes nothing
    }
    ASSERT_EQ(list.Count(), 2);
    TPictureListItem& second = list.Items(1);
    list.Move(1, 0);
    EXPECT_EQ(&list.Items(0), &second);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
}

// Closes the message box the offset text raises, keeping its text.
std::wstring last_message;

void answer_next_message_box() {
    last_message.clear();
    SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND box = FindWindowW(L"#32770", nullptr);
        if (box == nullptr) {
            return;
        }
        KillTimer(nullptr, id);
        wchar_t text[256]{};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        last_message = text;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
}

TEST(PictureButtonOffset, AMalformedTextIsReportedAndChangesNothing) {
    TzqBtn button(nullptr);
    TPictureListItem& item = button.PictureList().Add();
    item.SetOffsetByString(L"( 1, -2 ,3,4 )");
    EXPECT_EQ(item.GetOffsetByString(), L"(1,-2,3,4)");
    for (const wchar_t* bad : {L"(1,2,3)", L"1,2,3,4"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(bad)));
        answer_next_message_box();
        item.SetOffsetByString(bad);
        EXPECT_EQ(last_message, L"Rect(X1,Y1,X2,Y2) format erro!");
        EXPECT_EQ(item.GetOffsetByString(), L"(1,-2,3,4)");
    }
    item.SetRegionOffset(opBottom, 9);
    EXPECT_EQ(item.GetOffsetByString(), L"(1,-2,3,9)");
}

// A button on a shown form, driven by mouse messages to the form.
class PictureButtonOnForm : public testing::Test {
protected:
    void SetUp() override {
        form.SetBounds(100, 100, 240, 120);
        form.SetBorderStyle(bsNone);
        button = new TzqBtn(&form);
        button->SetParent(&form);
        button->SetBounds(10, 10, 75, 25);
        button->OnClick = [this](TObject*) { log.push_back(std::string("click ") + (button->Checked() ? "1" : "0")); };
        button->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); };
        button->OnDblClick = [this](TObject*) { log.push_back("dblclick"); };
        button->OnDbClick = [this](TObject*) { log.push_back("dbclick"); };
        form.HandleNeeded();
    }
    void mouse(UINT message, int x, int y) {
        const POINT screen = form.ClientToScreen({x, y});
        SetCursorPos(screen.x, screen.y);
        SendMessageW(form.Handle(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }

    TForm form{nullptr};
    TzqBtn* button = nullptr;
    std::vector<std::string> log;
};

TEST_F(PictureButtonOnForm, AutoCheckTogglesBeforeTheClickAndEvenOutside) {
    button->PictureOpt().AutoCheck = true;
    mouse(WM_LBUTTONDOWN, 20, 20);
    EXPECT_EQ(button->MouseState(), msDown);
    mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_TRUE(button->Checked());
    EXPECT_EQ(button->MouseState(), msEnter);
    EXPECT_EQ(log, (std::vector<std::string>{"click 1", "up"}));

    log.clear();
    mouse(WM_LBUTTONDOWN, 20, 20);
    mouse(WM_LBUTTONUP, 200, 90);
    EXPECT_FALSE(button->Checked());
    EXPECT_EQ(button->MouseState(), msLeave);
    EXPECT_EQ(log, (std::vector<std::string>{"up"}));
}

TEST_F(PictureButtonOnForm, ReleaseOnTheBottomRightEdgeStillCountsAsOver) {
    mouse(WM_LBUTTONDOWN, 20, 20);
    mouse(WM_LBUTTONUP, 10 + 75, 10 + 25);
    EXPECT_EQ(button->MouseState(), msEnter);
}

TEST_F(PictureButtonOnForm, DoubleClickRaisesBothEvents) {
    mouse(WM_LBUTTONDOWN, 20, 20);
    mouse(WM_LBUTTONUP, 20, 20);
    log.clear();
    mouse(WM_LBUTTONDBLCLK, 20, 20);
    EXPECT_EQ(log, (std::vector<std::string>{"dblclick", "dbclick"}));
}

// Every border style in every mouse state, and every check style checked and not, on the program's grey.
TEST(PictureButtonScreenshot, BorderAndCheckStyles) {
    testing_support::park_pointer();  // the buttons' mouse states are set by hand
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetColor(14671839);
    form.Font().SetName(L"宋体");
    form.Font().SetHeight(-12);
    form.SetBounds(40, 40, 520, 300);
    TBitmap run;
    run.LoadFromResourceName(GetModuleHandleW(nullptr), L"CTLRUN");
    TBitmap pause;
    pause.LoadFromResourceName(GetModuleHandleW(nullptr), L"CTLPAUSE");

    const auto add_button = [&](int left, int top, const std::wstring& caption) {
        auto* button = new TzqBtn(&form);
        button->SetParent(&form);
        button->SetBounds(left, top, 120, 32);
        button->SetCaption(caption);
        return button;
    };
    const TzqBorderStyle styles[] = {cbsNone, cbsFlat, cbsSingle};
    const wchar_t* style_names[] = {L"None", L"Flat", L"Single"};
    const wchar_t* state_names[] = {L"离开", L"经过", L"按下"};
    for (int s = 0; s < 3; ++s) {
        for (int m = 0; m < 3; ++m) {
            TzqBtn* button =
                add_button(10 + 165 * m, 10 + 40 * s, std::wstring(L"  ") + style_names[s] + L" " + state_names[m]);
            button->setBorderStyle(styles[s]);
            TPictureListItem& item = button->PictureList().Add();
            item.Picture().SetGraphic(s == 1 ? &pause : &run);
            item.setTransparent(true);
            item.setDisplayMode(dmNormal);
            button->setCurrentPictureIndex(0);
            move_mouse(*button, static_cast<TMouseState>(m));
        }
    }
    const wchar_t* check_names[] = {L"PushButton", L"CheckBox", L"Radio", L"Diamond", L"TrafficLight"};
    for (int c = 0; c < 5; ++c) {
        for (int checked = 0; checked < 3; ++checked) {
            TzqBtn* button = add_button(10 + 165 * checked, 135 + 32 * c, check_names[c]);
            button->setBorderStyle(cbsNone);
            button->setAlignment(taLeftJustify);
            button->setCheckStyle(static_cast<TCheckStyle>(c + 1));
            button->setCheckState(checked != 0);
            button->SetEnabled(checked != 2);
        }
    }
    form.Show();
    form.Update();
    testing_support::pump_messages(200);
    testing_support::save_screenshot(form.Handle(), "picture_buttons");
    // On the screen too: a pressed single border is sunken, a flat one at rest shows no border.
    const auto screen_pixel = [&](int x, int y) {
        Surface grab(1, 1);
        const POINT at = form.ClientToScreen({x, y});
        grab.grab_screen(at.x, at.y);
        return grab.pixel(0, 0);
    };
    EXPECT_EQ(color_text(screen_pixel(10 + 165 * 2, 10 + 40 * 2 + 10)), color_text(kDark));
    EXPECT_EQ(color_text(screen_pixel(10, 10 + 40 + 10)), color_text(kFace));
}

}  // namespace
}  // namespace vistrel
