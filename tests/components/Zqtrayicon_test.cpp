#include "components/Zqtrayicon.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/form.h"
#include "test_support.h"

namespace vistrel {
namespace {

using testing_support::pump_until;

std::string button_name(TMouseButton button) {
    return button == mbLeft ? "left" : button == mbRight ? "right" : "middle";
}

// Records the tray's events as short texts, in the order they come.
class TrayIconTest : public testing::Test {
protected:
    void SetUp() override {
        tray = std::make_unique<TzqTrayIcon>(nullptr);
        tray->OnClick = [this](TObject*) { log.push_back("click"); };
        tray->OnDblClick = [this](TObject*) { log.push_back("dblclick"); };
        tray->OnMinimize = [this](TObject*) { log.push_back("minimize"); };
        tray->OnRestore = [this](TObject*) { log.push_back("restore"); };
        tray->OnMouseMove = [this](TObject* sender, TShiftState shift, int x, int y) {
            EXPECT_EQ(sender, tray.get());
            log.push_back("move " + std::to_string(shift) + " " + std::to_string(x) + "," + std::to_string(y));
        };
        tray->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
            log.push_back("down " + button_name(button) + " " + std::to_string(shift) + " " + std::to_string(x) + "," +
                          std::to_string(y));
        };
        tray->OnMouseUp = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
            log.push_back("up " + button_name(button) + " " + std::to_string(shift) + " " + std::to_string(x) + "," +
                          std::to_string(y));
        };
        SetCursorPos(123, 234);
    }

    void TearDown() override {
        tray.reset();
        if (IsIconic(Application().Handle())) {
            ShowWindow(Application().Handle(), SW_RESTORE);
        }
    }

    void callback(UINT mouse_message) {
        SendMessageW(tray->Handle(), kTrayCallbackMessage, 0, static_cast<LPARAM>(mouse_message));
    }

    std::unique_ptr<TzqTrayIcon> tray;
    std::vector<std::string> log;
};

// Where the last menu appeared; a timer procedure has no context, so it writes here.
RECT last_menu_rect;

// Closes the next menu as soon as it is on the screen, noting its rectangle.
void close_next_menu() {
    last_menu_rect = {};
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        if (HWND menu = FindWindowW(L"#32768", nullptr); menu != nullptr && IsWindowVisible(menu)) {
            GetWindowRect(menu, &last_menu_rect);
            KillTimer(nullptr, id);
            EndMenu();
        }
    });
}

TEST_F(TrayIconTest, CallbackMessagesRaiseTheirEventsInOrder) {
    struct Case {
        UINT message;
        std::vector<std::string> events;
    };
    const std::string at = " 123,234";
    const Case cases[] = {
        {WM_MOUSEMOVE, {"move 0" + at}},
        {WM_LBUTTONDOWN, {"down left 8" + at}},
        {WM_LBUTTONUP, {"click", "up left 8" + at}},
        {WM_LBUTTONDBLCLK, {"dblclick"}},
        {WM_RBUTTONDOWN, {"down right 16" + at}},
        {WM_RBUTTONUP, {"up right 16" + at}},
        {WM_RBUTTONDBLCLK, {"dblclick"}},
        {WM_MBUTTONDOWN, {"down middle 32" + at}},
        {WM_MBUTTONUP, {"up middle 32" + at}},
        {WM_MBUTTONDBLCLK, {"dblclick"}},
        {WM_KEYDOWN, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << c.message);
        log.clear();
        callback(c.message);
        EXPECT_EQ(log, c.events);
    }
}

TEST_F(TrayIconTest, ButtonEventsCarryTheKeysHeldAtThatMoment) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    callback(WM_RBUTTONDOWN);
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    callback(WM_RBUTTONDOWN);
    EXPECT_EQ(log, (std::vector<std::string>{"down right " + std::to_string(ssShift | ssCtrl | ssRight) + " 123,234",
                                             "down right 16 123,234"}));
}

TEST_F(TrayIconTest, RightReleaseRaisesMouseUpThenShowsTheMenuAndTheLeftButtonNeverDoes) {
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem(&menu);
    item->Caption = L"退出(&Q)";
    menu.Items().Add(item);
    menu.OnPopup = [this](TObject*) { log.push_back("popup"); };
    tray->SetPopupMenu(&menu);

    close_next_menu();
    callback(WM_RBUTTONUP);
    EXPECT_EQ(log, (std::vector<std::string>{"up right 16 123,234", "popup"}));

    log.clear();
    callback(WM_LBUTTONDOWN);
    callback(WM_LBUTTONUP);
    callback(WM_LBUTTONDBLCLK);
    for (const std::string& event : log) {
        EXPECT_NE(event, "popup");
    }
    tray->SetPopupMenu(nullptr);
}

TEST_F(TrayIconTest, MenuOpensFromTheWorkAreaBottomWhenTheCursorIsNearIt) {
    TPopupMenu menu(nullptr);
    for (const wchar_t* caption : {L"隐藏窗口", L"暂停运行", L"-", L"退出(&Q)"}) {
        auto* item = new TMenuItem(&menu);
        item->Caption = caption;
        menu.Items().Add(item);
    }
    tray->SetPopupMenu(&menu);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    struct Case {
        const char* name;
        int cursor_y;
        bool from_bottom;
    };
    const Case cases[] = {
        {"just above the bottom", static_cast<int>(work.bottom) - 10, true},
        {"299 pixels above", static_cast<int>(work.bottom) - 299, true},
        {"300 pixels above", static_cast<int>(work.bottom) - 300, false},
        {"far above", static_cast<int>(work.top) + 50, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetCursorPos(200, c.cursor_y);
        close_next_menu();
        tray->ShowMenu();
        if (c.from_bottom) {
            EXPECT_EQ(last_menu_rect.bottom, work.bottom);
        } else {
            EXPECT_EQ(last_menu_rect.top, c.cursor_y);
        }
    }
    tray->SetPopupMenu(nullptr);
}

TEST_F(TrayIconTest, MinimizeAndRestoreRunOnceThroughTheApplicationWindow) {
    TForm form(nullptr);
    form.SetBounds(100, 100, 200, 120);
    Application().SetMainForm(&form);
    form.Show();
    tray->SetVisible(true);
    tray->SetRestoreOnDBCLick(true);
    const HWND app = Application().Handle();

    PostMessageW(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(pump_until([&] { return !log.empty(); }));
    EXPECT_TRUE(IsIconic(app));
    EXPECT_FALSE(IsWindowVisible(app));  // no task-bar button while in the tray
    tray->Minimize();

    callback(WM_LBUTTONDBLCLK);  // restores through a posted SC_RESTORE
    ASSERT_TRUE(pump_until([&] { return log.size() >= 3; }));
    EXPECT_FALSE(IsIconic(app));
    EXPECT_TRUE(IsWindowVisible(app));
    // The keyboard comes back to the form, not the application window; activation may arrive after the restore.
    EXPECT_TRUE(pump_until([&] { return GetActiveWindow() == form.Handle(); }));
    tray->Restore();
    callback(WM_LBUTTONDBLCLK);  // not minimised: only brought to the front
    testing_support::pump_messages(100);

    EXPECT_EQ(log, (std::vector<std::string>{"minimize", "dblclick", "restore", "dblclick"}));
    tray->SetVisible(false);
    Application().SetMainForm(nullptr);
}

TEST_F(TrayIconTest, ShowingTwiceHooksTheApplicationOnce) {
    TForm form(nullptr);
    Application().SetMainForm(&form);
    form.Show();
    tray->SetVisible(true);
    tray->SetVisible(true);
    tray->SetVisible(false);
    // Had the second call hooked again, the hook left behind would still hide a minimised application.
    const HWND app = Application().Handle();
    PostMessageW(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(pump_until([&] { return IsIconic(app) != FALSE; }));
    EXPECT_TRUE(IsWindowVisible(app));
    EXPECT_TRUE(log.empty());
    Application().Restore();
    Application().SetMainForm(nullptr);
}

TEST_F(TrayIconTest, TaskBarButtonAndTaskListSwitches) {
    const HWND app = Application().Handle();
    const LONG_PTR original = GetWindowLongPtrW(app, GWL_EXSTYLE);
    tray->setOnTaskBar(true);  // already true: the style is left alone
    EXPECT_EQ(GetWindowLongPtrW(app, GWL_EXSTYLE), original);
    // A captioned window always keeps its edge style: the tool-window bit is what takes the button away.
    tray->setOnTaskBar(false);
    EXPECT_NE(GetWindowLongPtrW(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    tray->setOnTaskBar(true);
    EXPECT_EQ(GetWindowLongPtrW(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_NE(GetWindowLongPtrW(app, GWL_EXSTYLE) & WS_EX_WINDOWEDGE, 0);
    SetWindowLongPtrW(app, GWL_EXSTYLE, original);

    // Only old systems can take a process off the task list; elsewhere the property keeps its value.
    const bool entry_point = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "RegisterServiceProcess") != nullptr;
    tray->setOnTaskList(false);
    EXPECT_EQ(tray->OnTaskList(), !entry_point);
}

TEST_F(TrayIconTest, HintMustStayUnder64BytesAndAnEmptyOneDropsTheTip) {
    struct Case {
        const char* name;
        std::wstring hint;
        bool taken;
    };
    const Case cases[] = {
        {"product name", L"Vistrel", true},
        {"63 ASCII bytes", std::wstring(63, L'a'), true},
        {"64 ASCII bytes", std::wstring(64, L'b'), false},
        {"31 Chinese characters and one ASCII", std::wstring(31, L'护') + L"x", true},
        {"32 Chinese characters", std::wstring(32, L'眼'), false},
        {"63 euro signs, one GBK byte each", std::wstring(63, L'€'), true},
        {"empty", L"", true},
    };
    std::wstring expected = tray->Hint();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tray->SetHint(c.hint);
        if (c.taken) {
            expected = c.hint;
        }
        EXPECT_EQ(tray->Hint(), expected);
        EXPECT_EQ(std::wstring(tray->IconData().szTip), expected);
        EXPECT_EQ(tray->IconData().uFlags,
                  static_cast<UINT>(expected.empty() ? NIF_MESSAGE | NIF_ICON : NIF_MESSAGE | NIF_ICON | NIF_TIP));
    }
}

TEST_F(TrayIconTest, TheShellHoldsTheIconWhileVisibleAndGetsItBackWhenRestarted) {
    tray->SetHint(L"Vistrel");
    NOTIFYICONDATAW probe = tray->IconData();
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));  // not added while invisible
    tray->SetVisible(true);
    probe = tray->IconData();
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));

    Shell_NotifyIconW(NIM_DELETE, &probe);  // the shell restarts and forgets it
    SendMessageW(tray->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));

    tray->SetVisible(false);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    SendMessageW(tray->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));  // an invisible icon is not brought back
}

TEST_F(TrayIconTest, ShownSoonReachesTheShellOnceTheWaitingMessagesAreHandledUnlessHiddenFirst) {
    tray->ShowSoon();
    EXPECT_TRUE(tray->Visible());
    tray->SetHint(L"Vistrel");  // goes with the icon when it reaches the shell
    NOTIFYICONDATAW probe = tray->IconData();
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    ASSERT_TRUE(pump_until([&] { return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE; }));

    tray->SetVisible(false);
    tray->ShowSoon();
    tray->SetVisible(false);  // as a compulsory rest starting at once would
    testing_support::pump_messages(100);
    EXPECT_FALSE(tray->Visible());
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
}

TEST_F(TrayIconTest, EndOfSessionRemovesTheIconAndTheWindowAgreesToIt) {
    tray->SetVisible(true);
    EXPECT_EQ(SendMessageW(tray->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
    // Another program cancelled the log-off: the session goes on, and so does the icon.
    SendMessageW(tray->Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(tray->Visible());
    NOTIFYICONDATAW still = tray->IconData();
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &still));

    SendMessageW(tray->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(tray->Visible());
    NOTIFYICONDATAW probe = tray->IconData();
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
}

TEST_F(TrayIconTest, DestructionTakesTheIconAndTheHookAway) {
    TForm form(nullptr);
    Application().SetMainForm(&form);
    form.Show();
    tray->SetVisible(true);
    NOTIFYICONDATAW probe = tray->IconData();
    tray.reset();
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));

    // Without the hook a minimised application keeps its task-bar window.
    const HWND app = Application().Handle();
    PostMessageW(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(pump_until([&] { return IsIconic(app) != FALSE; }));
    EXPECT_TRUE(IsWindowVisible(app));
    Application().Restore();
    Application().SetMainForm(nullptr);
}

// Records which image the tray is asked to show.
class RecordingTrayIcon : public TzqTrayIcon {
public:
    using TzqTrayIcon::TzqTrayIcon;
    void SetIconIndex(int index) override {
        shown.push_back(index);
        TzqTrayIcon::SetIconIndex(index);
    }
    std::vector<int> shown;
};

TImageList& three_colour_icons(TComponent* owner) {
    auto* list = new TImageList(owner);
    for (const COLORREF colour : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}) {
        TIcon icon;
        icon.SetHandle(testing_support::solid_icon(colour));
        list->AddIcon(icon);
    }
    return *list;
}

TEST(TrayIconAnimation, StepsThroughTheImagesOncePerInterval) {
    TComponent owner(nullptr);
    RecordingTrayIcon tray(nullptr);
    TImageList& icons = three_colour_icons(&owner);
    tray.SetIcons(&icons);
    tray.SetAnimateInterval(40);
    tray.SetAnimate(true);
    tray.Loaded();
    ASSERT_TRUE(pump_until([&] { return tray.shown.size() >= 5; }));
    tray.SetAnimate(false);
    EXPECT_EQ(std::vector<int>(tray.shown.begin(), tray.shown.begin() + 5), (std::vector<int>{0, 1, 2, 0, 1}));
    EXPECT_EQ(tray.AnimateInterval(), 40u);
}

TEST(TrayIconAnimation, NeedsAnImageListAndStopsWhenTheListGoesAway) {
    RecordingTrayIcon tray(nullptr);
    tray.SetAnimate(true);
    EXPECT_FALSE(tray.Animate());  // nothing to animate
    tray.Loaded();
    EXPECT_TRUE(tray.shown.empty());  // the application's icon stays

    auto owner = std::make_unique<TComponent>(nullptr);
    TImageList& icons = three_colour_icons(owner.get());
    tray.SetIcons(&icons);
    tray.SetIconIndex(2);
    tray.SetAnimateInterval(20);
    tray.SetAnimate(true);
    owner.reset();  // the list goes: the reference is cleared and the animation stops
    EXPECT_EQ(tray.Icons(), nullptr);
    EXPECT_FALSE(tray.Animate());
    const std::size_t steps = tray.shown.size();
    testing_support::pump_messages(100);
    EXPECT_EQ(tray.shown.size(), steps);
}

TEST(TrayIconIndex, ShowsTheImageOfTheListAndKeepsTheIconForAMissingOne) {
    TComponent owner(nullptr);
    TzqTrayIcon tray(nullptr);
    TImageList& icons = three_colour_icons(&owner);
    tray.SetIcons(&icons);
    const auto centre_colour = [&] {
        testing_support::Surface surface(16, 16, RGB(0, 0, 0));
        DrawIconEx(surface.dc(), 0, 0, tray.Icon().Handle(), 16, 16, 0, nullptr, DI_NORMAL);
        return surface.pixel(8, 8);
    };
    tray.SetIconIndex(1);
    EXPECT_EQ(testing_support::color_text(centre_colour()), testing_support::color_text(RGB(0, 255, 0)));
    EXPECT_EQ(tray.IconData().hIcon, tray.Icon().Handle());
    tray.SetIconIndex(7);
    EXPECT_EQ(tray.IconIndex(), 7);
    EXPECT_EQ(testing_support::color_text(centre_colour()), testing_support::color_text(RGB(0, 255, 0)));
}

// The notification area has no window of its own on the test display: the picture shows the icon the tray hands
// to the shell, on a task-bar strip, with its tool tip.
TEST(TrayIconScreenshot, IconOnTheTaskBar) {
    TComponent owner(nullptr);
    TzqTrayIcon tray(nullptr);
    auto* icons = new TImageList(&owner);
    TIcon running;
    running.LoadFromResourceName(GetModuleHandleW(nullptr), L"MAINICON", 16);
    TIcon paused;
    paused.LoadFromResourceName(GetModuleHandleW(nullptr), L"TRAYPAUSED", 16);
    icons->AddIcon(running);
    icons->AddIcon(paused);
    tray.SetIcons(icons);
    tray.SetHint(L"Vistrel");
    tray.Loaded();

    testing_support::Surface shot(240, 64, RGB(40, 52, 68));
    TCanvas& canvas = shot.canvas();
    canvas.Brush().SetColor(RGB(255, 255, 225));  // tool-tip yellow
    canvas.Pen().SetColor(clBlack);
    canvas.Rectangle(150, 8, 212, 28);
    canvas.Font().SetName(L"宋体");
    canvas.Font().SetHeight(-12);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(158, 12, tray.Hint());
    for (int index = 0; index < 2; ++index) {
        tray.SetIconIndex(index);
        DrawIconEx(shot.dc(), 180 + 24 * index, 38, tray.Icon().Handle(), 16, 16, 0, nullptr, DI_NORMAL);
    }
    testing_support::save_screenshot(shot.view(), "tray_icon");
    EXPECT_NE(shot.pixel(188, 46), RGB(40, 52, 68));  // the icon is drawn
}

}  // namespace
}  // namespace vistrel
