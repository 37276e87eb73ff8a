#include "app/Unit1.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/rest_page.h"
#include "app/timetable_changes.h"
#include "components/Zqinfodlg.h"
#include "engine/date_time.h"
#include "engine/schedule_file.h"
#include "framework/application.h"
#include "main_window_fixture.h"
#include "schedule_bytes.h"
#include "test_support.h"
#include "win32/schedule_location.h"
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

namespace fs = std::filesystem;
using testing_support::Bytes;
using testing_support::concat;
using testing_support::le_double;
using testing_support::rest_record;
using testing_support::standard_header;

// The start with a data file that is damaged, no schedule at all, or cannot be written.
class StartWithDataFileTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        path_ = schedule_location()->user_file;
        fs::remove(kept());
    }

    fs::path kept() const { return path_.wstring() + L".bad"; }
    static void write(const fs::path& path, const Bytes& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static Bytes read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // Builds and shows the window as make_window does, answering the message its start shows from the message loop;
    // returns that message (empty when there was none).
    std::wstring make_window_told() {
        form = std::make_unique<TForm1>(nullptr);
        std::wstring message;
        testing_support::later([&] {
            if (!zqInfo.Showing) {
                return;
            }
            EXPECT_EQ(zqInfo.Frame->Caption(), L"提示");
            EXPECT_EQ(zqInfo.DlgType, 48u);
            message = zqInfo.TextLabel->Caption();
            testing_support::save_screenshot(zqInfo.Form->Handle(), "start_with_damaged_data_file");
            PostMessageW(zqInfo.Buttons[0]->Handle(), BM_CLICK, 0, 0);
        });
        form->Show();
        testing_support::pump_messages(300);
        EXPECT_FALSE(zqInfo.Showing) << "told once";
        return message;
    }

    std::vector<std::wstring> rest_times() {
        TListView& list = *form->rest_page().ListView_RestTimer;
        std::vector<std::wstring> times;
        times.reserve(static_cast<std::size_t>(list.Items().Count()));
        for (int i = 0; i < list.Items().Count(); ++i) {
            times.push_back(list.Items()[i]->Caption());
        }
        return times;
    }

    fs::path path_;
};

TEST_F(StartWithDataFileTest, EntriesLeftOutAreToldWithThePathAndKeptBeforeTheFirstSave) {
    const Bytes damaged = concat({standard_header(3, 0), rest_record(le_double(0.25), 200),
                                  rest_record(le_double(0.5), 5), rest_record(le_double(0.75), 0)});
    write(path_, damaged);
    EXPECT_EQ(make_window_told(), L"数据文件中有2项已损坏，已略去！\r\n" + path_.wstring());
    EXPECT_EQ(rest_times(), std::vector<std::wstring>{L"12:00:00"});
    EXPECT_FALSE(fs::exists(kept()));

    // A change that leaves the timetable as it is is still saved, as every change is.
    ASSERT_TRUE(form->timetable_changes().edit(form->schedule().rest_list, [](TimerList&) { return EditOutcome{}; }));
    EXPECT_EQ(read(kept()), damaged);
    Schedule saved;
    EXPECT_EQ(load_schedule(path_.wstring(), saved, LoadMode::read_only).left_out, 0u);
    EXPECT_EQ(saved.rest_list.size(), 1u);
}

TEST_F(StartWithDataFileTest, AFileThatIsNoScheduleIsToldAndTheStandardTimetableTakesItsPlace) {
    const Bytes foreign(300, 'X');
    write(path_, foreign);
    EXPECT_EQ(make_window_told(), L"数据文件已损坏，无法读取，已改用标准休息时间表！\r\n" + path_.wstring());
    const std::vector<std::wstring> times = rest_times();
    ASSERT_EQ(times.size(), 24u);
    EXPECT_EQ(times.front(), L"00:00:01");
    EXPECT_EQ(times.back(), L"23:00:01");
    EXPECT_EQ(read(kept()), foreign);
    Schedule saved;
    EXPECT_EQ(load_schedule(path_.wstring(), saved, LoadMode::read_only).result, LoadResult::loaded);
    EXPECT_EQ(saved.rest_list.size(), 24u);
}

// Here another program holds the file and lets no one write it; a read-only file or medium does the same.
TEST_F(StartWithDataFileTest, AFileThatCannotBeWrittenStartsTheProgramWithItsRests) {
    write(path_, concat({standard_header(2, 0), rest_record(le_double(0.5), 5), rest_record(le_double(0.75), 3)}));
    const UniqueHandle holder(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(make_window_told(), L"");
    EXPECT_EQ(rest_times(), (std::vector<std::wstring>{L"12:00:00", L"18:00:00"}));
    EXPECT_TRUE(form->scheduler().running());
}

}  // namespace
}  // namespace vistrel::app
