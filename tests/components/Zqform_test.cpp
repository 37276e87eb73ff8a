#include "components/Zqform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

#include "frame_reference.h"
#include "framework/application.h"
#include "test_support.h"

namespace vistrel {
namespace {

using pixels::Bgr;
using testing_support::post_click;
using testing_support::pump_until;
using testing_support::save_screenshot;

constexpr Bgr kBody{220, 222, 220};

// Keeps the move and size commands the frame sends instead of letting the system run its loop.
class CommandForm : public TForm {
public:
    using TForm::TForm;
    std::vector<WPARAM> commands;

protected:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_SYSCOMMAND && ((wparam & 0xFFF0) == SC_MOVE || (wparam & 0xFFF0) == SC_SIZE)) {
            commands.push_back(wparam);
            return 0;
        }
        return TForm::handle_message(message, wparam, lparam);
    }
};

struct Framed {
    std::unique_ptr<CommandForm> form;
    TzqForm* frame;
};

Framed framed(int width, int height, TBorderIcons icons, const std::wstring& caption, bool sizeable = false) {
    Framed f{std::make_unique<CommandForm>(nullptr), nullptr};
    f.form->SetBorderIcons(icons);
    f.form->SetCaption(caption);
    f.form->SetBounds(40, 40, width, height);
    f.form->ReadDescription([&] {
        f.frame = new TzqForm(f.form.get());
        f.frame->setSizeable(sizeable);
    });
    return f;
}

std::unique_ptr<TZQBitmap> default_picture() {
    TBitmap bitmap;
    bitmap.LoadFromResourceName(GetModuleHandleW(nullptr), L"BKMESSAGEBOX");
    auto picture = std::make_unique<TZQBitmap>();
    picture->LoadFromBitmap(bitmap);
    return picture;
}

TEST(SkinnedFrame, ComposesTheDefaultPicturePixelByPixel) {
    struct Case {
        const char* name;
        int width, height;
    };
    const Case cases[] = {{"main window", 497, 357}, {"message dialog", 305, 126}};
    const auto picture = default_picture();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Framed f = framed(c.width, c.height, biMinimize, L"");
        TZQBitmap& frame = f.frame->FrameBitmap();
        ASSERT_EQ(frame.Width(), c.width);
        ASSERT_EQ(frame.Height(), c.height);
        int wrong = 0;
        for (int y = 0; y < c.height && wrong < 5; ++y) {
            for (int x = 0; x < c.width && wrong < 5; ++x) {
                const auto want = frame::expected_frame_pixel(picture->View(), x, y, c.width, c.height, kBody);
                if (want && !(frame.View().get(x, y) == *want)) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
                    ++wrong;
                }
            }
        }
    }
}

TEST(SkinnedFrame, LongTitlesWidenTheForm) {
    Framed f = framed(300, 120, biSystemMenu, L"**Vistrel** 的一个很长的标题文字");
    const int text_width = f.frame->FrameBitmap().Canvas().TextWidth(f.frame->Caption());
    EXPECT_EQ(f.form->Constraints().MinWidth(), 250 + text_width - 25);
    EXPECT_EQ(f.form->Width(), 250 + text_width - 25);
    EXPECT_EQ(f.form->Constraints().MinHeight(), 100);
    EXPECT_EQ(f.form->Constraints().MaxHeight(), GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYCAPTION));
}

// Where a title's ink lies: the pixels that differ from the same frame without a title.
RECT title_ink(int width, const std::wstring& caption) {
    Framed titled = framed(width, 120, biSystemMenu, caption);
    Framed plain = framed(width, 120, biSystemMenu, L"");
    const pixels::PixelView with = titled.frame->FrameBitmap().View();
    const pixels::PixelView without = plain.frame->FrameBitmap().View();
    RECT ink{width, 120, 0, 0};
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!(with.get(x, y) == without.get(x, y))) {
                ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                       std::max<LONG>(ink.bottom, y + 1)};
            }
        }
    }
    return ink;
}

// The title is centred, 7 pixels down, white with a black outline, and stays inside the 25-row title band
// at the font's stated pixel size on every screen.
TEST(SkinnedFrame, TitleIsCentredInTheBand) {
    const std::wstring caption = L"护眼提示";
    for (const int width : {300, 401, 520}) {
        SCOPED_TRACE(width);
        Framed f = framed(width, 120, biSystemMenu, caption);
        TCanvas& canvas = f.frame->FrameBitmap().Canvas();
        const int x = (width - canvas.TextWidth(caption)) / 2;
        const RECT ink = title_ink(width, caption);
        // Chinese characters fill their cells but for a pixel or two; the outline adds one around.
        EXPECT_GE(ink.left, x - 1);
        EXPECT_LE(ink.left, x + 2);
        EXPECT_LE(ink.right, x + canvas.TextWidth(caption) + 1);
        EXPECT_GE(ink.right, x + canvas.TextWidth(caption) - 2);
        EXPECT_GE(ink.top, 7 - 1);
        EXPECT_LE(ink.bottom, 25);
        const pixels::PixelView frame = f.frame->FrameBitmap().View();
        int white = 0;
        int black = 0;
        for (int y = ink.top; y < ink.bottom; ++y) {
            for (int i = ink.left; i < ink.right; ++i) {
                const Bgr p = frame.get(i, y);
                white += p.b > 240 && p.g > 240 && p.r > 240 ? 1 : 0;
                black += p.b < 40 && p.g < 40 && p.r < 40 ? 1 : 0;
            }
        }
        EXPECT_GT(white, 30);  // the letters
        EXPECT_GT(black, 10);  // their outline
    }
}

TEST(SkinnedFrame, SystemButtonsFollowTheBorderIcons) {
    struct Case {
        const char* name;
        TBorderIcons icons;
        std::array<int, 3> lefts;  // -1 hidden
    };
    const Case cases[] = {
        {"minimise only, as the main window", biMinimize, {-1, -1, 475}},
        {"all three", biSystemMenu | biMaximize | biMinimize, {475, 458, 441}},
        {"close only, as a message", biSystemMenu, {475, -1, -1}},
    };
    const wchar_t* hints[] = {L"关闭", L"最大化", L"最小化"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Framed f = framed(497, 357, c.icons, L"x");
        for (int i = 0; i < 3; ++i) {
            TSpeedButton& button = f.frame->SystemButton(i);
            EXPECT_EQ(button.Visible() ? button.Left() : -1, c.lefts[static_cast<std::size_t>(i)]);
            EXPECT_EQ(button.Hint, hints[i]);
            EXPECT_EQ(button.Glyph().Empty(), !button.Visible());
            EXPECT_EQ(button.Tag, i);
        }
    }
}

TEST(SkinnedFrame, ZonesCursorsAndCommandsUnderTheMouse) {
    struct Case {
        const char* name;
        bool sizeable;
        POINT at;
        TDrag_Mode_Type zone;
        TCursor cursor;
        std::vector<WPARAM> commands;
    };
    const Case cases[] = {
        {"title band of a fixed frame moves", false, {100, 24}, frame::dtMove, crHandPoint, {0xF012}},
        {"body does nothing", false, {100, 60}, frame::dtDefault, crDefault, {}},
        {"edges of a fixed frame do nothing", false, {1, 60}, frame::dtDefault, crDefault, {}},
        {"corner of a sizeable frame", true, {3, 3}, frame::dtLeftTop, crSizeNWSE, {0xF004}},
        {"top edge of a sizeable frame", true, {100, 2}, frame::dtTop, crSizeNS, {0xF003}},
        {"bottom right of a sizeable frame", true, {296, 116}, frame::dtRightBottom, crSizeNWSE, {0xF008}},
        {"right edge of a sizeable frame", true, {298, 60}, frame::dtRight, crSizeWE, {0xF002}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Framed f = framed(300, 120, biSystemMenu, L"", c.sizeable);
        f.form->Show();
        const LPARAM at = MAKELPARAM(c.at.x, c.at.y);
        SendMessageW(f.form->Handle(), WM_MOUSEMOVE, 0, at);
        EXPECT_EQ(f.frame->HitZone(), c.zone);
        EXPECT_EQ(f.frame->Cursor(), c.cursor);
        SendMessageW(f.form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(f.form->Handle(), WM_LBUTTONUP, 0, at);
        EXPECT_EQ(f.form->commands, c.commands);
    }
}

TEST(SkinnedFrame, MaximisedFramesHaveNoZonesAndDoubleClicksToggle) {
    Framed f = framed(300, 120, biSystemMenu | biMaximize | biMinimize, L"", true);
    f.form->Show();
    const POINT title = f.form->ClientToScreen({100, 10});
    SetCursorPos(title.x, title.y);
    SendMessageW(f.form->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(100, 10));
    ASSERT_TRUE(pump_until([&] { return f.form->WindowState() == wsMaximized; }));
    EXPECT_EQ(f.frame->SystemButton(1).Hint, L"恢复");
    SendMessageW(f.form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 10));
    EXPECT_EQ(f.frame->HitZone(), frame::dtDefault);
    EXPECT_EQ(f.frame->Cursor(), crDefault);
    EXPECT_LE(f.form->Height(), GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYCAPTION));

    const POINT again = f.form->ClientToScreen({100, 10});
    SetCursorPos(again.x, again.y);
    SendMessageW(f.form->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(100, 10));
    ASSERT_TRUE(pump_until([&] { return f.form->WindowState() == wsNormal; }));
    EXPECT_EQ(f.frame->SystemButton(1).Hint, L"最大化");
}

TEST(SkinnedFrame, GreyWhileTheApplicationIsInactive) {
    Framed f = framed(497, 357, biMinimize, L"**Vistrel**");
    f.form->Show();
    pump_until([] { return false; }, 100);  // let the window reach the screen before it is photographed
    SendMessageW(Application().Handle(), WM_ACTIVATEAPP, TRUE, 0);
    const pixels::PixelImage colour(f.frame->FrameBitmap().View());
    save_screenshot(f.form->Handle(), "frame_active");

    SendMessageW(Application().Handle(), WM_ACTIVATEAPP, FALSE, 0);
    TZQBitmap& frame = f.frame->FrameBitmap();
    int grey = 0;
    for (int y = 0; y < frame.Height(); ++y) {
        for (int x = 0; x < frame.Width(); ++x) {
            const Bgr p = frame.View().get(x, y);
            grey += p.b == p.g && p.g == p.r ? 1 : 0;
        }
    }
    EXPECT_EQ(grey, frame.Width() * frame.Height());
    EXPECT_EQ(frame.View().get(200, 200), (Bgr{220, 220, 220}));  // 66 + 130 + 24 from the body (220, 222, 220)
    save_screenshot(f.form->Handle(), "frame_inactive");

    SendMessageW(Application().Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(pixels::PixelImage(f.frame->FrameBitmap().View()).bytes(), colour.bytes());
}

TEST(SkinnedFrame, TurnsGreyWhenAnotherProgramTakesTheFocus) {
    Framed f = framed(300, 120, biSystemMenu, L"");
    f.form->Show();
    SetForegroundWindow(f.form->Handle());
    ASSERT_TRUE(pump_until([] { return Application().Active(); }));
    auto is_grey = [&] {
        const Bgr p = f.frame->FrameBitmap().View().get(150, 80);
        return p.b == p.g && p.g == p.r && !(p == kBody);
    };
    EXPECT_FALSE(is_grey());
    // A window of another thread stands in for another program: activating it deactivates this application.
    std::thread other([] {
        HWND window = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                      nullptr, nullptr);
        SetForegroundWindow(window);
        MSG message;
        for (int i = 0; i < 20 && GetForegroundWindow() == window; ++i) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&message);
            }
            Sleep(10);
        }
        DestroyWindow(window);
    });
    const bool greyed = pump_until(is_grey, 2000);
    other.join();
    EXPECT_TRUE(greyed);
}

TEST(SkinnedFrame, SystemButtonClicks) {
    struct Case {
        const char* name;
        bool with_event;
    };
    for (const auto& c : {Case{"default actions", false}, Case{"the event replaces them", true}}) {
        SCOPED_TRACE(c.name);
        Framed f = framed(300, 120, biSystemMenu | biMinimize, L"");
        std::vector<int> events;
        if (c.with_event) {
            f.frame->OnClickSysBtn = [&](TObject* sender) { events.push_back(static_cast<TComponent*>(sender)->Tag); };
        }
        int closes = 0;
        f.form->OnClose = [&](TObject*, TCloseAction& action) {
            ++closes;
            action = caNone;
        };
        f.form->Show();
        post_click(f.form->Handle(), {300 - 22 + 7, 14});  // close
        post_click(f.form->Handle(), {300 - 39 + 7, 14});  // minimise
        pump_until([&] { return IsIconic(Application().Handle()) != FALSE || events.size() == 2; }, 1000);
        EXPECT_EQ(closes, c.with_event ? 0 : 1);
        EXPECT_EQ(IsIconic(Application().Handle()) != FALSE, !c.with_event);
        EXPECT_EQ(events, (c.with_event ? std::vector<int>{0, 2} : std::vector<int>{}));
        Application().Restore();
    }
}

}  // namespace
}  // namespace vistrel
