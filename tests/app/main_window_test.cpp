#include "app/Unit1.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "components/Zqinfodlg.h"
#include "engine/date_time.h"
#include "framework/application.h"
#include "main_window_fixture.h"
#include "test_support.h"
#include "win32/unique_handle.h"

namespace vistrel::app {
namespace {

using testing_support::pump_until;

// Windows of the classes that the shell's task bar and desktop have and wine has not, for a rest to hide.
class StandInShell {
public:
    StandInShell() : task_bar_(make(L"Shell_TrayWnd")), desktop_(make(L"Progman")) {}

    bool shown() const { return IsWindowVisible(task_bar_.get()) && IsWindowVisible(desktop_.get()); }
    bool hidden() const { return !IsWindowVisible(task_bar_.get()) && !IsWindowVisible(desktop_.get()); }

private:
    static HWND make(const wchar_t* class_name) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = class_name;
        RegisterClassW(&wc);  // fails harmlessly when an earlier test registered it
        HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, class_name, class_name, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      wc.hInstance, nullptr);
        ShowWindow(window, SW_SHOWNOACTIVATE);
        return window;
    }

    UniqueHwnd task_bar_;
    UniqueHwnd desktop_;
};

// Every way out of a compulsory rest that is not its end must still bring back the task bar and the desktop.
class RestWayOutTest : public MainWindowTest {
protected:
    // A compulsory rest (the stored default) due a second from now, waited for.
    void start_compulsory_rest() {
        make_window();
        const TDateTime due = add_time(form->clock().now(), 1, TimePart::seconds);
        ASSERT_NE(insert_rest(form->schedule().rest_list, due - static_cast<double>(day_part(due)), 1), nullptr);
        form->scheduler().rebuild_due_chain();
        ASSERT_TRUE(pump_until([&] { return form->scheduler().rest_in_progress(); }));
        ASSERT_TRUE(shell.hidden());
        ASSERT_EQ(registry_values(kSettingsPath).count(L"RestHidesDesktop"), 1u);
    }
    bool rest_mark_cleared() const { return registry_values(kSettingsPath).count(L"RestHidesDesktop") == 0; }

    StandInShell shell;
};

TEST_F(RestWayOutTest, AnErrorShownDuringTheRestBringsTheDesktopBackBeforeItWaitsForTheUser) {
    start_compulsory_rest();
    // An error escaping a timer tick, as any handler's would, goes to the application's error display.
    TTimer failing(nullptr);
    failing.OnTimer = [](TObject*) { throw std::runtime_error("磁盘已满"); };
    bool answered = false;
    testing_support::when_dialog_opens([&](HWND dialog) {
        wchar_t text[64]{};
        GetDlgItemTextW(dialog, 0xFFFF, text, 64);  // the message box's text
        EXPECT_STREQ(text, L"磁盘已满");
        EXPECT_TRUE(shell.shown());
        EXPECT_FALSE(form->scheduler().rest_in_progress());
        EXPECT_TRUE(rest_mark_cleared());
        failing.SetEnabled(false);  // no second error once this one is answered
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        answered = true;
    });
    failing.SetInterval(10);
    failing.SetEnabled(true);
    EXPECT_TRUE(pump_until([&] { return answered; }));
}

TEST_F(RestWayOutTest, QuittingThroughTheConfirmationDuringTheRestBringsTheDesktopBack) {
    start_compulsory_rest();
    Application().SetMainForm(form.get());
    testing_support::later([] {
        ASSERT_TRUE(zqInfo.Showing);
        EXPECT_EQ(zqInfo.Text, L"您确定要退出'Vistrel'吗？");
        click(*zqInfo.Buttons[1]);  // 确定
    });
    form->N5Click(nullptr);
    Application().SetMainForm(nullptr);
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop is told to end";
    form.reset();  // as the program's window goes once its message loop has ended
    EXPECT_TRUE(shell.shown());
    EXPECT_TRUE(rest_mark_cleared());
}

}  // namespace
}  // namespace vistrel::app
