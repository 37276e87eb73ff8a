#include "components/Zqbutton.h"

#include <gtest/gtest.h>

#include <memory>

#include "components/Zqbitmap.h"
#include "framework/edit.h"
#include "framework/form.h"

namespace vistrel {
namespace {

using pixels::Bgr;

constexpr Bgr kFace{223, 223, 223};

Bgr bgr(COLORREF c) {
    return {GetBValue(c), GetGValue(c), GetRValue(c)};
}

class PushButtonPainting : public ::testing::Test {
protected:
    PushButtonPainting() : form(nullptr) {
        form.SetBorderStyle(bsNone);
        form.SetBounds(20, 20, 200, 100);
        button = new TzqButton(&form);
        button->SetParent(&form);
        button->SetCaption(L"确定");
        button->SetBounds(10, 10, 75, 25);
        edit = new TEdit(&form);
        edit->SetParent(&form);
        form.Show();
    }

    // Asks the parent to have the button paint itself in the given item state, into an image of ours.
    std::unique_ptr<TZQBitmap> paint(UINT state, bool active) {
        button->FocusChanged(active ? static_cast<TWinControl*>(button) : edit);
        auto image = std::make_unique<TZQBitmap>();
        image->LoadBlank(75, 25);
        DRAWITEMSTRUCT item{ODT_BUTTON,
                            static_cast<UINT>(GetDlgCtrlID(button->Handle())),
                            0,
                            ODA_DRAWENTIRE,
                            state,
                            button->Handle(),
                            image->Canvas().Handle(),
                            {0, 0, 75, 25},
                            0};
        SendMessageW(form.Handle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        return image;
    }

    static int count(TZQBitmap& image, Bgr colour, RECT area) {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                n += image.View().get(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }

    static int leftmost_text(TZQBitmap& image) {
        for (int x = 4; x < 71; ++x) {
            for (int y = 6; y < 19; ++y) {
                if (image.View().get(x, y) == Bgr{0, 0, 0}) {
                    return x;
                }
            }
        }
        return -1;
    }

    TForm form;
    TzqButton* button;
    TEdit* edit;
};

TEST_F(PushButtonPainting, EveryState) {
    const Bgr frame = bgr(ColorToRGB(clWindowFrame));
    const Bgr shadow = bgr(ColorToRGB(clBtnShadow));
    const Bgr highlight = bgr(ColorToRGB(clBtnHighlight));
    struct Case {
        const char* name;
        UINT state;
        bool active;
        bool outline;     // the dark outline at the corner
        bool focus_rect;  // the dotted rectangle four pixels in
        Bgr corner;
    };
    const Case cases[] = {
        {"neither active nor focused", 0, false, false, false, highlight},
        {"active without focus", 0, true, true, false, frame},
        {"focused but not active", ODS_FOCUS, false, true, false, frame},
        {"active and focused", ODS_FOCUS, true, true, true, frame},
        {"pressed", ODS_SELECTED, false, false, false, shadow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto image = paint(c.state, c.active);
        EXPECT_EQ(image->View().get(0, 0), c.corner);
        EXPECT_EQ(image->View().get(74, 0) == frame, c.outline);
        // The left side of the focus rectangle: dotted over the face when shown, plain face otherwise.
        EXPECT_EQ(count(*image, kFace, {4, 6, 5, 19}) < 13, c.focus_rect);
        EXPECT_GT(count(*image, kFace, {5, 5, 70, 20}), 500);
        EXPECT_EQ(button->ActiveStyle(), c.active);
    }
}

TEST_F(PushButtonPainting, PressingDoesNotMoveTheCaption) {
    auto up = paint(0, false);
    auto down = paint(ODS_SELECTED, false);
    EXPECT_GT(leftmost_text(*up), 4);
    EXPECT_EQ(leftmost_text(*up), leftmost_text(*down));
}

TEST_F(PushButtonPainting, DisabledCaptionIsEmbossed) {
    auto image = paint(ODS_DISABLED, false);
    EXPECT_GT(count(*image, bgr(ColorToRGB(clBtnHighlight)), {5, 5, 70, 20}), 5);
    EXPECT_GT(count(*image, bgr(ColorToRGB(clBtnShadow)), {5, 5, 70, 20}), 5);
    EXPECT_EQ(leftmost_text(*image), -1);  // no black text
}

TEST_F(PushButtonPainting, MouseEnterAndLeaveEvents) {
    std::vector<std::string> log;
    button->OnMouseEnter = [&](TObject* sender) { log.push_back(sender == button ? "enter" : "?"); };
    button->OnMouseLeave = [&](TObject* sender) { log.push_back(sender == button ? "leave" : "?"); };
    SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    SendMessageW(button->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
    EXPECT_EQ(GetWindowLongPtrW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

}  // namespace
}  // namespace vistrel
