#include "components/Zqinfodlg.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "framework/application.h"
#include "framework/timer.h"
#include "test_support.h"

namespace vistrel {
namespace {

using testing_support::later;
using testing_support::post_click;
using testing_support::post_key;
using testing_support::pump_until;
using testing_support::save_screenshot;

// Height of a font's characters in pixels (the cell less its internal leading).
int character_height(TFont& font) {
    const WindowDc screen(nullptr);
    const SelectGuard selected(screen.get(), font.Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    return metrics.tmHeight - metrics.tmInternalLeading;
}

SIZE text_extent(TFont& font, const std::wstring& text) {
    const WindowDc screen(nullptr);
    const SelectGuard selected(screen.get(), font.Handle());
    SIZE size{};
    GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// Each test gets a dialog object of its own, as the program has its one global.
class InfoDialog : public ::testing::Test {
public:
    InfoDialog() { Application().SetTitle(L"Vistrel"); }

    static void click(TzqButton* button) { PostMessageW(button->Handle(), BM_CLICK, 0, 0); }
    // The width the frame asks for the dialog's caption.
    int caption_width() const {
        return 250 + dialog.Frame->FrameBitmap().Canvas().TextWidth(dialog.Frame->Caption()) - 25;
    }
    // The close button of the caption bar.
    void close_from_caption() const { post_click(dialog.Form->Handle(), {dialog.Form->Width() - 15, 14}); }

    TzqInfoDlg dialog;
};

TEST_F(InfoDialog, MessageSizesFollowTheText) {
    struct Case {
        const char* name;
        std::wstring text;
        unsigned type;
        int icon_width;
        int lines;
    };
    const Case cases[] = {
        {"message_type0", L"到时间了，请休息一下眼睛。", 0, 0, 1},
        {"message_type48", L"休息时间小于时间间隔！", 48, 70, 1},
        {"message_type49", L"您确定要退出'Vistrel'吗？", 49, 70, 1},
        {"message_two_lines", L"距离强制休息还有一分钟，请保存好您的工作。\r\n休息期间将无法使用电脑。", 48, 70, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool inspected = false;
        later([&] {
            TForm& form = *dialog.Form;
            TLabel& label = *dialog.TextLabel;
            const int line = label.Height() / c.lines;
            EXPECT_EQ(label.Height(), c.lines * line);
            EXPECT_EQ(dialog.IconImage->Width(), c.icon_width);
            const int min_width = 250 + dialog.Frame->FrameBitmap().Canvas().TextWidth(L"提示") - 25;
            EXPECT_EQ(form.Width(), std::max(label.Width() + c.icon_width + 20, min_width));
            EXPECT_EQ(form.Height(), std::max(label.Height() + 100, 100));
            EXPECT_EQ(label.Left(), std::max((form.Width() - label.Width()) / 2, c.icon_width));
            EXPECT_EQ(label.Top(), (form.Height() - 40 + 30 - label.Height()) / 2);
            EXPECT_EQ(dialog.Buttons[0]->Top(), form.Height() - 40);
            EXPECT_EQ(dialog.Buttons[0]->Left(), form.Width() - 80);
            EXPECT_EQ(dialog.Buttons[0]->Width(), 60);
            EXPECT_EQ(form.Left(), (GetSystemMetrics(SM_CXSCREEN) - form.Width()) / 2);
            EXPECT_NE(GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
            save_screenshot(form.Handle(), c.name);
            inspected = true;
            click(dialog.Buttons[0]);
        });
        dialog.MessageDlg(c.text, L"提示", c.type);
        EXPECT_TRUE(inspected);
        EXPECT_FALSE(dialog.Showing);
        EXPECT_EQ(dialog.Form, nullptr);
    }
}

// The text and the captions keep the program's 12-pixel font on every screen (Windows scales the whole window
// instead), so the layout above holds at any DPI and every caption fits its button.
TEST_F(InfoDialog, TextsKeepTheirPixelSizeAtTheScreensDpi) {
    if (const char* dpi = std::getenv("VISTREL_WINE_DPI")) {
        const std::string_view text(dpi);
        int expected = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_TRUE(error == std::errc() && end == text.data() + text.size()) << "VISTREL_WINE_DPI=" << text;
        const WindowDc screen(nullptr);
        ASSERT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSY), expected);  // the run really is at that DPI
    }
    later([&] {
        EXPECT_EQ(character_height(dialog.TextLabel->Font()), 12);
        for (TzqButton* button : dialog.Buttons) {
            SCOPED_TRACE(testing::PrintToString(button->Caption()));
            const SIZE caption = text_extent(button->Font(), button->Caption());
            EXPECT_EQ(character_height(button->Font()), 12);
            EXPECT_LE(caption.cx, button->Width() - 8);
            EXPECT_LE(caption.cy, button->Height() - 8);
        }
        click(dialog.Buttons[0]);
    });
    dialog.ExMessageBox(L"文件已修改，是否保存？", L"提示", L"保存", L"另存为", L"不保存", L"取消", 0x30);
}

// A photograph shows what the screen shows once the window has painted: the buttons as they are now.
TEST_F(InfoDialog, ScreenshotsShowTheButtonsAsPainted) {
    // Pixels clearly darker than the face inside a button: its caption's strokes.
    auto caption_ink = [](const pixels::PixelImage& shot, const TzqButton& button) {
        int ink = 0;
        for (int y = button.Top() + 5; y < button.Top() + button.Height() - 5; ++y) {
            for (int x = button.Left() + 5; x < button.Left() + button.Width() - 5; ++x) {
                const pixels::Bgr p = shot.view().get(x, y);
                ink += p.r < 160 && p.g < 160 && p.b < 160 ? 1 : 0;
            }
        }
        return ink;
    };
    later([&] {
        TzqButton& ok = *dialog.Buttons[1];
        EXPECT_GT(caption_ink(testing_support::capture_window(dialog.Form->Handle()), ok), 20);
        ok.SetCaption(L"");
        EXPECT_EQ(caption_ink(testing_support::capture_window(dialog.Form->Handle()), ok), 0);
        ok.SetCaption(L"确定");
        EXPECT_GT(caption_ink(testing_support::capture_window(dialog.Form->Handle()), ok), 20);
        click(dialog.Buttons[0]);
    });
    dialog.MessageDlg(L"保存吗？", L"提示", 1);
}

TEST_F(InfoDialog, AmpersandsAreShownAsTyped) {
    later([&] {
        TLabel& label = *dialog.TextLabel;
        EXPECT_EQ(label.Caption(), L"Tom & Jerry");
        // Measured with the "&" as a character: nothing of the text is taken as an accelerator mark.
        EXPECT_EQ(label.Width(), text_extent(label.Font(), L"Tom & Jerry").cx);
        save_screenshot(dialog.Form->Handle(), "message_ampersand");
        click(dialog.Buttons[0]);
    });
    dialog.MessageDlg(L"Tom & Jerry", L"提醒", 0);
}

// A line wider than the work area wraps, so that the dialog and its buttons stay on the screen.
TEST_F(InfoDialog, MessagesWiderThanTheScreenWrap) {
    std::wstring text;
    for (int i = 0; i < 15; ++i) {
        text += L"请注意休息，保护眼睛。";  // 150 characters, 1800 pixels on one line
    }
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    later([&] {
        TForm& form = *dialog.Form;
        TLabel& label = *dialog.TextLabel;
        EXPECT_EQ(form.Width(), work.right - work.left);
        EXPECT_GE(form.Left(), work.left);
        EXPECT_LE(form.Left() + form.Width(), work.right);
        EXPECT_LE(form.Height(), work.bottom - work.top);
        EXPECT_EQ(label.Width(), form.Width() - 20);                    // no icon column
        EXPECT_GE(label.Height(), 2 * character_height(label.Font()));  // wrapped
        const TzqButton& ok = *dialog.Buttons[0];
        EXPECT_LE(form.Left() + ok.Left() + ok.Width(), work.right);
        save_screenshot(form.Handle(), "message_wide");
        click(dialog.Buttons[0]);
    });
    dialog.MessageDlg(text, L"提醒", 0);
}

TEST_F(InfoDialog, ConfirmationButtonsFocusAndResults) {
    struct Case {
        const char* name;
        std::function<void(InfoDialog&)> act;
        int result;
    };
    const Case cases[] = {
        {"OK", [](InfoDialog& t) { click(t.dialog.Buttons[1]); }, 1},
        {"Cancel", [](InfoDialog& t) { click(t.dialog.Buttons[0]); }, 2},
        {"Enter presses the focused Cancel", [](InfoDialog&) { post_key(GetFocus(), VK_RETURN); }, 2},
        {"Space presses it too", [](InfoDialog&) { post_key(GetFocus(), VK_SPACE); }, 2},
        {"Tab to OK, then Enter",
         [](InfoDialog&) {
             post_key(GetFocus(), VK_TAB);
             later([] { post_key(GetFocus(), VK_RETURN); });
         },
         1},
        {"Escape presses nothing",
         [](InfoDialog& t) {
             post_key(GetFocus(), VK_ESCAPE);
             later([&t] {
                 EXPECT_TRUE(t.dialog.Showing);
                 click(t.dialog.Buttons[1]);
             });
         },
         1},
        {"the caption-bar close answers like the right-most button", [](InfoDialog& t) { t.close_from_caption(); }, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        later([&] {
            EXPECT_EQ(dialog.Buttons[0]->Caption(), L"取消");
            EXPECT_EQ(dialog.Buttons[1]->Caption(), L"确定");
            EXPECT_FALSE(dialog.Buttons[2]->Visible());
            EXPECT_FALSE(dialog.IconImage->Picture().Bitmap().Empty());  // the warning icon
            EXPECT_EQ(GetFocus(), dialog.Buttons[0]->Handle());
            EXPECT_TRUE(dialog.Buttons[0]->ActiveStyle());
            c.act(*this);
        });
        EXPECT_EQ(dialog.MessageDlg(L"是否清空该列表？", L"提示", 49), c.result);
        EXPECT_EQ(dialog.BtnResult, c.result);
    }
}

TEST_F(InfoDialog, CustomButtonsReturnTheirPlaceAndMayLeaveGaps) {
    struct Case {
        const char* name;
        std::array<std::wstring, 4> captions;  // b1 .. b4, left to right
        int clicked;                           // index into Buttons
        bool gap;
    };
    const Case cases[] = {
        {"exmessagebox_four", {L"保存", L"另存为", L"不保存", L"取消"}, 2, false},
        {"exmessagebox_gap", {L"是", L"否", L"", L"全部"}, 3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        later([&] {
            TForm& form = *dialog.Form;
            EXPECT_GE(form.Width(), 300);
            for (int i = 0; i < 4; ++i) {
                TzqButton& button = *dialog.Buttons[static_cast<std::size_t>(i)];
                EXPECT_EQ(button.Caption(), c.captions[static_cast<std::size_t>(3 - i)]);
                EXPECT_EQ(button.Tag, i);
                EXPECT_EQ(button.Visible(), !(c.gap && i == 1));
                EXPECT_EQ(button.Left(), form.Width() - 80 - 65 * i);
            }
            save_screenshot(form.Handle(), c.name);
            click(dialog.Buttons[static_cast<std::size_t>(c.clicked)]);
        });
        EXPECT_EQ(dialog.ExMessageBox(L"文件已修改，是否保存？", L"提示", c.captions[0], c.captions[1], c.captions[2],
                                      c.captions[3], 0x30),
                  c.clicked);
    }
}

TEST_F(InfoDialog, CustomCaptionsKeepEightBytesOfGbkAndWholeCharacters) {
    const std::wstring face = L"\U0001F600";  // a surrogate pair, one "?" in GBK
    later([&] {
        EXPECT_EQ(dialog.Buttons[3]->Caption(), L"确定确定");
        EXPECT_EQ(dialog.Buttons[2]->Caption(), L"€uro€uro");
        EXPECT_EQ(dialog.Buttons[1]->Caption(), L"123456" + face + L"x");
        EXPECT_EQ(dialog.Buttons[0]->Caption(), L"a确定确");
        click(dialog.Buttons[0]);
    });
    dialog.ExMessageBox(L"按钮", L"提示", L"确定确定确定", L"€uro€uro!", L"123456" + face + L"xy", L"a确定确定", 0);
}

TEST_F(InfoDialog, FourButtonsNeedThreeHundredPixelsAndIconsFiveToSevenKeepAnEmptyColumn) {
    later([&] {
        EXPECT_EQ(dialog.Form->Width(), 300);
        EXPECT_EQ(dialog.IconImage->Width(), 70);
        EXPECT_TRUE(dialog.IconImage->Picture().Bitmap().Empty());
        click(dialog.Buttons[0]);
    });
    dialog.ExMessageBox(L"短", L"提示", L"甲", L"乙", L"丙", L"丁", 0x50);
}

TEST_F(InfoDialog, DeferredRequestsShowTheirOwnTextsInOrder) {
    std::vector<std::wstring> seen;
    TTimer watcher(nullptr);
    watcher.SetInterval(20);
    watcher.OnTimer = [&](TObject*) {
        if (dialog.Showing && dialog.TextLabel != nullptr && IsWindowVisible(dialog.Form->Handle())) {
            seen.push_back(dialog.TextLabel->Caption());
            SendMessageW(dialog.Buttons[0]->Handle(), BM_CLICK, 0, 0);
        }
    };
    dialog.PostShow = true;
    EXPECT_EQ(dialog.MessageDlg(L"第一条提醒", L"提示", 0), 0);
    EXPECT_TRUE(dialog.PostShow);  // until the request is handled
    EXPECT_FALSE(dialog.Showing);
    dialog.PostShow = true;
    dialog.MessageDlg(L"第二条提醒", L"提示", 0);
    EXPECT_EQ(dialog.Form, nullptr);
    ASSERT_TRUE(pump_until([&] { return seen.size() >= 2; }));
    pump_until([] { return false; }, 150);
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"第一条提醒", L"第二条提醒"}));
    EXPECT_FALSE(dialog.PostShow);
}

TEST_F(InfoDialog, CountdownClosesAndRequestsOncePerTick) {
    std::vector<std::wstring> seen;
    std::vector<HWND> windows;
    int left = 3;
    TTimer tick(nullptr);
    tick.SetInterval(40);
    tick.OnTimer = [&](TObject*) {
        if (dialog.Showing && dialog.TextLabel != nullptr) {
            seen.push_back(dialog.TextLabel->Caption());
            windows.push_back(dialog.Form->Handle());
        }
        dialog.CloseDialog();
        if (left == 0) {
            tick.SetEnabled(false);
            return;
        }
        dialog.PostShow = true;
        dialog.MessageDlg(L"还需休息 " + std::to_wstring(left--) + L" 秒", L"休息", 0);
    };
    ASSERT_TRUE(pump_until([&] { return !tick.Enabled() && !dialog.Showing; }));
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"还需休息 3 秒", L"还需休息 2 秒", L"还需休息 1 秒"}));
    EXPECT_EQ(std::set<HWND>(windows.begin(), windows.end()).size(), 3u);
}

TEST_F(InfoDialog, CloseDialogEndsTheOpenDialogAsCancel) {
    dialog.CloseDialog();  // nothing open: nothing happens
    EXPECT_FALSE(dialog.Showing);
    later([&] { click(dialog.Buttons[0]); });
    EXPECT_EQ(dialog.MessageDlg(L"好的", L"提示", 0), 1);
    later([&] {
        dialog.CloseDialog();
        EXPECT_FALSE(dialog.Showing);
        EXPECT_FALSE(IsWindowVisible(dialog.Form->Handle()));
    });
    // An earlier OK must not answer for a dialog that was closed from code.
    EXPECT_EQ(dialog.MessageDlg(L"您确定要退出'Vistrel'吗？", L"提示", 49), 2);
}

TEST_F(InfoDialog, SingleLineInput) {
    struct Case {
        const char* name;
        std::function<void(InfoDialog&)> act;
        bool accepted;
    };
    const Case cases[] = {
        {"Enter accepts", [](InfoDialog& t) { post_key(t.dialog.Edit->Handle(), VK_RETURN); }, true},
        {"OK accepts", [](InfoDialog& t) { click(t.dialog.Buttons[1]); }, true},
        {"Escape cancels", [](InfoDialog& t) { post_key(t.dialog.Edit->Handle(), VK_ESCAPE); }, false},
        {"Cancel cancels", [](InfoDialog& t) { click(t.dialog.Buttons[0]); }, false},
        {"the caption-bar close cancels", [](InfoDialog& t) { t.close_from_caption(); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        later([&] {
            TForm& form = *dialog.Form;
            const int width = std::max(250, caption_width());
            EXPECT_EQ(form.Height(), 100);
            EXPECT_EQ(form.Width(), width);
            EXPECT_EQ(dialog.Edit->Text(), L"原来的文字");
            EXPECT_EQ(GetFocus(), dialog.Edit->Handle());
            EXPECT_EQ(dialog.Buttons[1]->Left(), width - 180);
            EXPECT_EQ(dialog.Edit->Width(), width - 15);
            EXPECT_EQ(dialog.Buttons[0]->Top(), 100 - 42);
            dialog.Edit->SetText(L"新的文字");
            if (c.accepted && c.name[0] == 'E') {
                save_screenshot(form.Handle(), "getstring");
            }
            c.act(*this);
        });
        EXPECT_EQ(dialog.GetString(L"请输入", L"原来的文字"), c.accepted);
        EXPECT_EQ(dialog.Text, c.accepted ? L"新的文字" : L"原来的文字");
        EXPECT_EQ(dialog.InputResult, c.accepted ? 1 : 0);
    }
}

TEST_F(InfoDialog, MultiLineInput) {
    dialog.WordWrap = true;
    dialog.ScrollBars = ssVertical;
    dialog.DlgWidth = 360;
    dialog.DlgHeight = 220;
    later([&] {
        TForm& form = *dialog.Form;
        EXPECT_EQ(form.Width(), 360);
        EXPECT_EQ(form.Height(), 220);
        EXPECT_EQ(dialog.Memo->Height(), 220 - 80);
        EXPECT_NE(GetWindowLongPtrW(dialog.Memo->Handle(), GWL_STYLE) & WS_VSCROLL, 0);
        dialog.Memo->SetText(L"第一行\r\n第二行");
        save_screenshot(form.Handle(), "gettext");
        click(dialog.Buttons[1]);
    });
    EXPECT_TRUE(dialog.GetText(L"提醒内容", L"原来"));
    EXPECT_EQ(dialog.Text, L"第一行\r\n第二行");
}

TEST_F(InfoDialog, SizeableInputDialogMaximisesFromItsCaptionBar) {
    dialog.Sizeable = true;
    later([&] {
        TForm& form = *dialog.Form;
        EXPECT_TRUE(dialog.Frame->Sizeable());
        EXPECT_TRUE(dialog.Frame->SystemButton(1).Visible());
        post_click(form.Handle(), {form.Width() - 39 + 7, 14});  // maximise
        later([&] {
            pump_until([&] { return form.WindowState() == wsMaximized; }, 1000);
            EXPECT_EQ(form.WindowState(), wsMaximized);
            EXPECT_EQ(dialog.Buttons[0]->Left(), form.Width() - 100);  // the buttons keep to the corner
            close_from_caption();
        });
    });
    EXPECT_FALSE(dialog.GetText(L"提醒内容", L"原来"));
    EXPECT_EQ(dialog.Text, L"原来");
}

TEST_F(InfoDialog, HostedControlIsShownCentredAndSurvives) {
    EXPECT_FALSE(dialog.ControlDlg(nullptr, L"无"));
    EXPECT_FALSE(dialog.InputDlgExecute(3, false));  // no control to host
    EXPECT_FALSE(dialog.InputDlgExecute(7, false));  // no such kind
    EXPECT_FALSE(dialog.Showing);
    TForm owner(nullptr);
    auto* hosted = new TEdit(&owner);
    hosted->SetBounds(0, 0, 200, 21);
    later([&] {
        EXPECT_EQ(hosted->Parent(), dialog.Form);
        const int width = std::max(230, caption_width());
        EXPECT_EQ(dialog.Form->Width(), width);
        EXPECT_EQ(dialog.Form->Height(), 21 + 90);
        EXPECT_EQ(hosted->Left(), (width - 200) / 2);
        EXPECT_EQ(hosted->Top(), (dialog.Form->Height() - 21) / 2 - 8);
        click(dialog.Buttons[1]);
    });
    EXPECT_TRUE(dialog.ControlDlg(hosted, L"选择"));
    EXPECT_EQ(hosted->Parent(), nullptr);
    EXPECT_FALSE(hosted->Visible());
}

TEST_F(InfoDialog, AfterTheSessionEndsRequestsAreNoLongerShown) {
    EXPECT_EQ(SendMessageW(dialog.Handle(), WM_QUERYENDSESSION, 0, 0), 1);
    // Another program cancelled the log-off: deferred requests are still shown.
    SendMessageW(dialog.Handle(), WM_ENDSESSION, FALSE, 0);
    ASSERT_NE(dialog.Handle(), nullptr);
    later([&] { later([&] { click(dialog.Buttons[0]); }); });
    dialog.PostShow = true;
    dialog.MessageDlg(L"会显示", L"提示", 0);
    EXPECT_TRUE(pump_until([&] { return dialog.BtnResult == 1; }));

    SendMessageW(dialog.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(dialog.Handle(), nullptr);
    dialog.PostShow = true;
    dialog.MessageDlg(L"不会显示", L"提示", 0);
    pump_until([&] { return dialog.Showing; }, 100);
    EXPECT_FALSE(dialog.Showing);
}

TEST(GlobalInfoDialog, ShowMessageUsesTheApplicationTitle) {
    Application().SetTitle(L"Vistrel");
    later([] {
        EXPECT_EQ(zqInfo.Form->Caption(), L"Vistrel");
        EXPECT_EQ(zqInfo.Frame->Caption(), L"Vistrel");
        PostMessageW(zqInfo.Buttons[0]->Handle(), BM_CLICK, 0, 0);
    });
    zqInfo.ShowMessage(L"已保存");
    EXPECT_EQ(zqInfo.BtnResult, 1);
}

}  // namespace
}  // namespace vistrel
