#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Unit1.h"
#include "app/rest_page.h"
#include "app/task_page.h"
#include "app/timetable_menu.h"
#include "components/Zqinfodlg.h"
#include "engine/date_time.h"
#include "engine/schedule_file.h"
#include "engine/text_codec.h"
#include "test_support.h"
#include "win32/schedule_location.h"
#include "win32/system_message.h"
#include "win32/wide_text.h"

namespace vistrel::app {
namespace {

using testing_support::later;
using testing_support::pump_messages;
using testing_support::pump_until;
using testing_support::save_screenshot;
using testing_support::when_dialog_opens;

using Rows = std::vector<std::pair<std::wstring, std::wstring>>;
using Bounds = std::array<int, 4>;  // left, top, width, height

Bounds bounds(const TControl& control) {
    return {control.Left(), control.Top(), control.Width(), control.Height()};
}

Rows rows_of(TListView& list) {
    Rows rows;
    for (int i = 0; i < list.Items().Count(); ++i) {
        const TListItem& row = *list.Items()[i];
        rows.emplace_back(row.Caption(), row.SubItems().Count() > 0 ? row.SubItems()[0] : L"");
    }
    return rows;
}

// What a schedule file holds, in the lists' own row format.
struct FileRows {
    Rows rests;
    Rows tasks;
};

std::filesystem::path data_file() {
    return schedule_location()->user_file;
}

FileRows file_rows() {
    Schedule schedule;
    EXPECT_EQ(load_schedule(data_file(), schedule, LoadMode::read_only).result, LoadResult::loaded);
    FileRows rows;
    for (const TimerEntry& rest : schedule.rest_list) {
        rows.rests.emplace_back(to_wide(entry_time_text(rest.time)), std::to_wstring(rest.break_minutes()));
    }
    for (const TimerEntry& task : schedule.task_list) {
        rows.tasks.emplace_back(to_wide(entry_time_text(task.time)), to_wide(task_text(task)));
    }
    return rows;
}

std::string file_bytes() {
    std::ifstream in(data_file(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::wstring temp_folder() {
    wchar_t folder[MAX_PATH]{};
    GetTempPathW(MAX_PATH, folder);
    return folder;
}

// A program file to point tasks at; removed with the object.
struct ProgramFile {
    explicit ProgramFile(std::wstring full_path) : path(std::move(full_path)) {
        std::ofstream(path.c_str(), std::ios::binary) << "MZ";
    }
    ~ProgramFile() { DeleteFileW(path.c_str()); }
    std::wstring path;
};

std::size_t gbk_size(const std::wstring& text) {
    return utf8_to_gbk(to_utf8(text)).value_or("").size();
}

// The form is made afresh for each test from a missing data file, so it starts with the standard timetable.
class TimetablePages : public ::testing::Test {
protected:
    void SetUp() override {
        // Shown, not minimised into the tray, so that the pages can be looked at.
        DWORD no = 0;
        RegSetKeyValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Tarnwick\\Vistrel", L"AutoMinimize", REG_DWORD, &no, sizeof(no));
        std::filesystem::remove(data_file());
        form = std::make_unique<TForm1>(nullptr);
        form->Show();
        pump_messages(50);
    }
    void TearDown() override {
        form.reset();
        pump_messages(20);
    }

    RestPage& rest() { return form->rest_page(); }
    TaskPage& task() { return form->task_page(); }
    TimetableMenu& menu() { return form->timetable_menu(); }
    Rows rest_rows() { return rows_of(*rest().ListView_RestTimer); }
    Rows task_rows() { return rows_of(*task().ListView_TaskTimer); }

    // Opens the context menu over a list from the keyboard, as the user can, and closes it without a choice: the
    // menu then serves that list.
    static void open_menu_over(TListView& list) {
        bool opened = false;
        testing_support::when_menu_opens([&opened](HWND) {
            opened = true;
            EndMenu();
        });
        SendMessageW(list.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.Handle()), -1);
        EXPECT_TRUE(opened);
    }

    void show_page(TTabSheet* page) {
        form->zqPageControl_main->SetActivePage(page);
        pump_messages(30);
    }

    // Answers the next message of the info dialog with its button `button` (0 is the right-most), after checking
    // its text and type, and saves a picture of it over the window when a name is given.
    void answer_next_message(const std::wstring& text, unsigned type, int button, const std::string& screenshot = {}) {
        asked = false;
        later([=, this] {
            asked = zqInfo.Showing;
            EXPECT_TRUE(zqInfo.Showing);
            if (!zqInfo.Showing) {
                return;
            }
            EXPECT_EQ(zqInfo.TextLabel->Caption(), text);
            EXPECT_EQ(zqInfo.Frame->Caption(), L"提示");
            EXPECT_EQ(zqInfo.DlgType, type);
            if (!screenshot.empty()) {
                save_screenshot_with_dialog(screenshot);
            }
            PostMessageW(zqInfo.Buttons[static_cast<std::size_t>(button)]->Handle(), BM_CLICK, 0, 0);
        });
    }

    // The window with the message over it, as the user sees them.
    void save_screenshot_with_dialog(const std::string& name) {
        pump_messages(150);  // the dialog paints itself first
        RECT window{};
        RECT dialog{};
        GetWindowRect(form->Handle(), &window);
        GetWindowRect(zqInfo.Form->Handle(), &dialog);
        RECT both{};
        UnionRect(&both, &window, &dialog);
        testing_support::Surface screen(both.right - both.left, both.bottom - both.top);
        screen.grab_screen(both.left, both.top);
        save_screenshot(screen.view(), name);
    }

    // Selects a row and double-clicks it as the user would.
    static void double_click_row(TListView& list, int index) {
        list.SetItemIndex(index);
        RECT row{LVIR_LABEL, 0, 0, 0};
        SendMessageW(list.Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row));
        SendMessageW(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 5, row.top + 3));
    }

    // The task editor set to a task every day ("每天") or on a date, at a time of day.
    void set_when(std::optional<TDateTime> date, TDateTime time_of_day) {
        if (date) {
            task().RadioButton_task_date2->SetChecked(true);
            task().DateTimePicker_task_date->SetDate(*date);
        } else {
            task().RadioButton_task_date1->SetChecked(true);
        }
        task().DateTimePicker_task_time->SetTime(time_of_day);
    }
    void set_reminder(const std::wstring& text) {
        task().RadioButton_remind_task->SetChecked(true);
        task().Edit_remind_info->SetText(text);
    }
    void set_program(const std::wstring& path, const std::wstring& arguments, int mode) {
        task().RadioButton_shell_task->SetChecked(true);
        task().Edit_shell_path->SetText(path);
        task().Edit_command_line->SetText(arguments);
        task().ComboBox_app_run_mode->SetItemIndex(mode);
    }
    void press_add_task() {
        task().zqButton_add_task->Click();
        pump_messages(20);
    }

    static TDateTime today() { return static_cast<TDateTime>(day_part(Win32Clock().now())); }

    std::unique_ptr<TForm1> form;
    bool asked = false;
};

TEST_F(TimetablePages, ControlsStartWithTheirPlacesRangesAndValues) {
    RestPage& r = rest();
    EXPECT_EQ(bounds(*r.zqPageControl_timer), (Bounds{6, 7, 450, 66}));
    EXPECT_EQ(r.zqPageControl_timer->TabPosition(), tpBottom);
    EXPECT_EQ(r.zqPageControl_timer->ActivePage(), r.TabSheet_standard);
    EXPECT_EQ(r.TabSheet_standard->Caption(), L"标准");
    EXPECT_EQ(r.TabSheet_custom->Caption(), L"定制");
    EXPECT_EQ(r.DateTimePicker_begin->Time(), encode_time(0, 0, 0, 1, 0));
    EXPECT_EQ(r.DateTimePicker_end->Time(), encode_time(0, 23, 59, 59, 0));
    struct Spin {
        const char* name;
        TSpinEdit* spin;
        int min, max, value;
    };
    const Spin spins[] = {
        {"span", r.CSpinEdit_ansi_span, 10, 180, 60},    {"break", r.CSpinEdit_ansi_break, 1, 60, 1},
        {"hour", r.CSpinEdit_custom_hour, 0, 23, 0},     {"minute", r.CSpinEdit_custom_minute, 0, 59, 0},
        {"second", r.CSpinEdit_custom_second, 0, 59, 0}, {"custom break", r.CSpinEdit_custom_break, 1, 60, 1},
    };
    for (const Spin& s : spins) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(s.spin->MinValue(), s.min);
        EXPECT_EQ(s.spin->MaxValue(), s.max);
        EXPECT_EQ(s.spin->Value(), s.value);
    }
    EXPECT_EQ(r.zqButton_generate_timers->Caption(), L"确定");
    EXPECT_EQ(r.zqButton_add_rest_timer->Caption(), L"添加");
    TListView& rests = *r.ListView_RestTimer;
    EXPECT_EQ(bounds(rests), (Bounds{6, 78, 450, 200}));
    EXPECT_TRUE(rests.RowSelect());
    EXPECT_TRUE(rests.HotTrack());
    EXPECT_EQ(rests.PopupMenu(), form->PopupMenu1);
    ASSERT_EQ(rests.Columns().Count(), 2);
    EXPECT_EQ(rests.Columns()[0]->Caption(), L"时间");
    EXPECT_EQ(rests.Columns()[1]->Caption(), L"休息时长（分钟）");
    // The first start generates the standard timetable from these values and saves it.
    const Rows rows = rest_rows();
    ASSERT_EQ(rows.size(), 24u);
    EXPECT_EQ(rows.front(), (std::pair<std::wstring, std::wstring>{L"00:00:01", L"1"}));
    EXPECT_EQ(rows.back(), (std::pair<std::wstring, std::wstring>{L"23:00:01", L"1"}));
    EXPECT_EQ(file_rows().rests, rows);

    TaskPage& t = task();
    EXPECT_EQ(bounds(*t.GroupBox_date), (Bounds{6, 9, 169, 65}));
    EXPECT_TRUE(t.RadioButton_task_date2->Checked());
    EXPECT_FALSE(t.RadioButton_task_date1->Checked());
    EXPECT_TRUE(t.DateTimePicker_task_date->Enabled());
    EXPECT_EQ(t.DateTimePicker_task_date->Date(), today());
    EXPECT_EQ(t.GroupBox_time->Top(), 9);
    EXPECT_EQ(t.GroupBox_tasktype->Left(), 303);
    EXPECT_TRUE(t.RadioButton_remind_task->Checked());
    EXPECT_EQ(t.RadioButton_shell_task->Caption(), L"执行外部应用程序");
    EXPECT_EQ(bounds(*t.GroupBox_message), (Bounds{6, 80, 360, 70}));
    EXPECT_EQ(bounds(*t.GroupBox_shell), bounds(*t.GroupBox_message));
    EXPECT_TRUE(t.GroupBox_message->Visible());
    EXPECT_FALSE(t.GroupBox_shell->Visible());
    ASSERT_EQ(t.ComboBox_app_run_mode->Items().Count(), 4);
    EXPECT_EQ(t.ComboBox_app_run_mode->Items()[3], L"隐藏窗口");
    EXPECT_EQ(t.ComboBox_app_run_mode->ItemIndex(), 0);
    EXPECT_EQ(bounds(*t.GroupBox_add), (Bounds{378, 80, 76, 70}));
    TListView& tasks = *t.ListView_TaskTimer;
    EXPECT_EQ(bounds(tasks), (Bounds{6, 159, 450, 118}));
    EXPECT_EQ(tasks.PopupMenu(), form->PopupMenu1);
    ASSERT_EQ(tasks.Columns().Count(), 2);
    EXPECT_EQ(tasks.Columns()[0]->Width(), 150);
    EXPECT_TRUE(tasks.Columns()[1]->AutoSize());
    EXPECT_EQ(tasks.Items().Count(), 0);

    TMenuItem& items = form->PopupMenu1->Items();
    ASSERT_EQ(items.Count(), 4);
    EXPECT_EQ(items.Items(0), menu().N1);
    EXPECT_EQ(items.Items(0)->Caption, L"刷新");
    EXPECT_TRUE(items.Items(1)->IsLine());
    EXPECT_EQ(items.Items(2)->Caption, L"删除");
    EXPECT_EQ(items.Items(3)->Caption, L"全部删除");
}

TEST_F(TimetablePages, GenerationReplacesTheTimetableAndRefusesARestNotShorterThanItsInterval) {
    RestPage& r = rest();
    r.CSpinEdit_custom_hour->SetValue(12);
    r.zqButton_add_rest_timer->Click();  // a custom rest that the generation throws away
    r.DateTimePicker_begin->SetTime(encode_time(0, 8, 0, 0, 0));
    r.DateTimePicker_end->SetTime(encode_time(0, 18, 0, 0, 0));
    r.CSpinEdit_ansi_span->SetValue(60);
    r.CSpinEdit_ansi_break->SetValue(5);
    r.zqButton_generate_timers->Click();
    Rows expected;
    for (int hour = 8; hour < 18; ++hour) {
        expected.emplace_back((hour < 10 ? L"0" : L"") + std::to_wstring(hour) + L":00:00", L"5");
    }
    EXPECT_EQ(rest_rows(), expected);
    EXPECT_EQ(file_rows().rests, expected);

    const std::string bytes = file_bytes();
    r.CSpinEdit_ansi_span->SetValue(10);
    r.CSpinEdit_ansi_break->SetValue(10);
    answer_next_message(L"休息时间小于时间间隔！", 48, 0, "rest_refused_break_not_below_span");
    r.zqButton_generate_timers->Click();
    EXPECT_TRUE(asked);
    EXPECT_EQ(rest_rows(), expected);
    EXPECT_EQ(form->schedule().rest_list.size(), expected.size());
    EXPECT_EQ(file_bytes(), bytes);
    EXPECT_EQ(r.CSpinEdit_ansi_span->Value(), 10);
    EXPECT_EQ(r.CSpinEdit_ansi_break->Value(), 10);

    // A begin after the end leaves nothing, and that is saved too.
    r.CSpinEdit_ansi_span->SetValue(60);
    r.CSpinEdit_ansi_break->SetValue(5);
    r.DateTimePicker_begin->SetTime(encode_time(0, 19, 0, 0, 0));
    r.zqButton_generate_timers->Click();
    EXPECT_TRUE(rest_rows().empty());
    EXPECT_TRUE(file_rows().rests.empty());
}

TEST_F(TimetablePages, CustomRestsAddOrChangeTheirTimeAndADoubleClickCopiesARowIntoTheEditor) {
    RestPage& r = rest();
    clear_list(form->schedule().rest_list);
    open_menu_over(*r.ListView_RestTimer);
    menu().N1->Click();  // "刷新" on the rest list shows the rest timetable as it is
    EXPECT_TRUE(rest_rows().empty());
    auto add = [&](int hour, int minute, int second, int minutes) {
        r.CSpinEdit_custom_hour->SetValue(hour);
        r.CSpinEdit_custom_minute->SetValue(minute);
        r.CSpinEdit_custom_second->SetValue(second);
        r.CSpinEdit_custom_break->SetValue(minutes);
        r.zqButton_add_rest_timer->Click();
    };
    add(12, 0, 0, 3);
    add(12, 0, 0, 3);
    add(8, 30, 15, 10);
    Rows expected{{L"08:30:15", L"10"}, {L"12:00:00", L"3"}};
    EXPECT_EQ(rest_rows(), expected);
    add(12, 0, 0, 7);
    expected[1].second = L"7";
    EXPECT_EQ(rest_rows(), expected);
    EXPECT_EQ(file_rows().rests, expected);

    r.zqPageControl_timer->SetActivePage(r.TabSheet_standard);
    r.CSpinEdit_custom_hour->SetValue(0);
    r.CSpinEdit_custom_break->SetValue(1);
    double_click_row(*r.ListView_RestTimer, 1);
    EXPECT_EQ(r.zqPageControl_timer->ActivePage(), r.TabSheet_custom);
    EXPECT_EQ(r.CSpinEdit_custom_hour->Value(), 12);
    EXPECT_EQ(r.CSpinEdit_custom_minute->Value(), 0);
    EXPECT_EQ(r.CSpinEdit_custom_second->Value(), 0);
    EXPECT_EQ(r.CSpinEdit_custom_break->Value(), 7);
    EXPECT_EQ(rest_rows(), expected);
    save_screenshot(form->Handle(), "rest_page_custom");
}

TEST_F(TimetablePages, ContextMenuDeletesFromTheActivePageAndClearsOnlyWithConsent) {
    ProgramFile program(temp_folder() + L"关机.exe");
    show_page(form->TabSheet_task);
    set_when(std::nullopt, encode_time(0, 0, 0, 1, 0));  // the same time as the first rest
    set_reminder(L"提醒");
    press_add_task();
    set_program(program.path, L"", 0);
    set_when(today() + 1, encode_time(0, 22, 0, 0, 0));
    press_add_task();
    ASSERT_EQ(task_rows().size(), 2u);
    const Rows rests = rest_rows();

    // Nothing selected: "删除" is disabled and does nothing.
    task().ListView_TaskTimer->SetItemIndex(-1);
    open_menu_over(*task().ListView_TaskTimer);
    EXPECT_FALSE(menu().Menu_del_item->Enabled);
    const std::string before = file_bytes();
    menu().Menu_del_item->Click();
    EXPECT_EQ(file_bytes(), before);

    // The menu opened over the task list removes the task at 00:00:01, not the rest at that time.
    task().ListView_TaskTimer->SetItemIndex(0);
    open_menu_over(*task().ListView_TaskTimer);
    EXPECT_TRUE(menu().Menu_del_item->Enabled);
    menu().Menu_del_item->Click();
    ASSERT_EQ(task_rows().size(), 1u);
    EXPECT_NE(task_rows()[0].second.find(L"关机.exe"), std::wstring::npos);
    EXPECT_EQ(rest_rows(), rests);
    EXPECT_EQ(file_rows().tasks, task_rows());
    EXPECT_EQ(file_rows().rests, rests);

    // Opened over the rest list, it removes a rest.
    show_page(form->TabSheet_rest);
    rest().ListView_RestTimer->SetItemIndex(2);
    open_menu_over(*rest().ListView_RestTimer);
    menu().Menu_del_item->Click();
    Rows fewer = rests;
    fewer.erase(fewer.begin() + 2);
    EXPECT_EQ(rest_rows(), fewer);
    EXPECT_EQ(file_rows().rests, fewer);

    struct Case {
        const char* name;
        int button;
        bool cleared;
    };
    for (const Case c : {Case{"cancel", 0, false}, Case{"ok", 1, true}}) {
        SCOPED_TRACE(c.name);
        const std::string bytes = file_bytes();
        answer_next_message(L"是否清空该列表？", 49, c.button, std::string("clear_question_") + c.name);
        menu().Menu_delete_all->Click();
        EXPECT_TRUE(asked);
        EXPECT_EQ(rest_rows().empty(), c.cleared);
        EXPECT_EQ(form->schedule().rest_list.empty(), c.cleared);
        EXPECT_EQ(file_rows().rests.empty(), c.cleared);
        if (!c.cleared) {
            EXPECT_EQ(file_bytes(), bytes);
        }
    }
    EXPECT_EQ(task_rows().size(), 1u);  // the other timetable is left alone
    EXPECT_EQ(file_rows().tasks, task_rows());
}

// Whatever changes a timetable (either page or the lists' menu), the running schedule is armed from the timetable as it
// now is; while paused nothing is armed, and resuming arms what the pause left.
TEST_F(TimetablePages, EveryChangeOfATimetableIsArmedWhileTheScheduleRuns) {
    const TDateTime now = form->clock().now();
    if (now - today() > encode_time(0, 23, 50, 0, 0)) {
        GTEST_SKIP() << "the times below must fall on today";
    }
    // The time of day a few minutes from now, to the second, as the pages store it.
    auto minutes_ahead = [&](std::uint16_t minutes) {
        const TDateTime t = add_time(now, minutes, TimePart::minutes);
        return static_cast<TDateTime>(t - static_cast<double>(day_part(t)));
    };
    auto add_rest_at = [&](TDateTime time_of_day) {
        const DecodedTime parts = decode_time(time_of_day);
        rest().CSpinEdit_custom_hour->SetValue(parts.hours);
        rest().CSpinEdit_custom_minute->SetValue(parts.minutes);
        rest().CSpinEdit_custom_second->SetValue(parts.seconds);
        rest().zqButton_add_rest_timer->Click();
        return encode_time(0, parts.hours, parts.minutes, parts.seconds, 0);
    };
    Scheduler& scheduler = form->scheduler();
    auto armed_for = [&]() -> std::optional<TDateTime> {
        if (scheduler.next_due() == nullptr || !form->Timer1->Enabled()) {
            return std::nullopt;
        }
        return scheduler.next_due()->time;
    };
    ASSERT_TRUE(scheduler.running());

    open_menu_over(*rest().ListView_RestTimer);
    answer_next_message(L"是否清空该列表？", 49, 1);
    menu().Menu_delete_all->Click();
    ASSERT_TRUE(rest_rows().empty());
    EXPECT_EQ(scheduler.next_due(), nullptr) << "nothing is left to arm";

    const TDateTime rest_time = add_rest_at(minutes_ahead(3));
    EXPECT_EQ(armed_for(), rest_time) << "a rest added on the rest page";

    show_page(form->TabSheet_task);
    set_when(std::nullopt, minutes_ahead(2));
    set_reminder(L"看看远处");
    press_add_task();
    ASSERT_NE(scheduler.next_due(), nullptr);
    EXPECT_TRUE(scheduler.next_due()->is_task()) << "a task added on the task page comes first";

    task().ListView_TaskTimer->SetItemIndex(0);
    open_menu_over(*task().ListView_TaskTimer);
    menu().Menu_del_item->Click();
    EXPECT_EQ(armed_for(), rest_time) << "the task deleted from the menu";

    form->change_run_or_pause(nullptr);
    const TDateTime paused_rest = add_rest_at(minutes_ahead(1));
    EXPECT_EQ(armed_for(), std::nullopt) << "nothing is armed while paused";
    form->change_run_or_pause(nullptr);
    EXPECT_EQ(armed_for(), paused_rest) << "resuming arms the rest added during the pause";
}

TEST_F(TimetablePages, TasksAreAddedInTheirRowFormatAndReplaceTheTaskAtTheSameTime) {
    show_page(form->TabSheet_task);
    ProgramFile program(temp_folder() + L"记事本.exe");
    set_when(std::nullopt, encode_time(0, 8, 0, 0, 0));
    set_reminder(L"  喝水  ");
    press_add_task();
    EXPECT_EQ(task_rows(), (Rows{{L"08:00:00", L"消息提醒：  喝水  "}}));

    // A program task at the same time replaces the reminder; the dated one beside it stays apart.
    set_program(program.path, L"-x", 1);
    press_add_task();
    const TDateTime tomorrow = today() + 1;
    const std::wstring date = to_wide(entry_time_text(tomorrow)) + L" 08:00:00";
    set_when(tomorrow, encode_time(0, 8, 0, 0, 0));
    set_program(program.path, L"", 0);
    press_add_task();
    set_when(std::nullopt, encode_time(0, 23, 0, 0, 0));
    set_program(program.path, L"参数 二", 3);
    press_add_task();
    const Rows expected{
        {L"08:00:00", L"执行程序：" + program.path + L" -x (最大化窗口)"},
        {L"23:00:00", L"执行程序：" + program.path + L" 参数 二 (隐藏窗口)"},
        {date, L"执行程序：" + program.path + L" "},
    };
    EXPECT_EQ(task_rows(), expected);
    EXPECT_EQ(file_rows().tasks, expected);
    // The task column is as wide as its longest text, which is not cut off.
    TListView& list = *task().ListView_TaskTimer;
    EXPECT_FALSE(list.Columns()[1]->AutoSize());
    const std::wstring& longest = expected[1].second;
    EXPECT_GT(list.Columns()[1]->Width(),
              SendMessageW(list.Handle(), LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(longest.c_str())));
    save_screenshot(form->Handle(), "task_page_filled");

    // Blanks around an existing program's path are kept as typed; the program is found without them.
    set_when(std::nullopt, encode_time(0, 9, 0, 0, 0));
    set_program(L" " + program.path + L" ", L"", 0);
    press_add_task();
    EXPECT_EQ(task_rows()[1].second, L"执行程序： " + program.path + L"  ");
}

TEST_F(TimetablePages, RefusedTasksChangeNothingAndKeepTheInput) {
    show_page(form->TabSheet_task);
    ProgramFile program(temp_folder() + L"程序.exe");
    set_when(std::nullopt, encode_time(0, 9, 0, 0, 0));
    set_reminder(L"已有的提醒");
    press_add_task();
    const Rows rows = task_rows();
    const std::string bytes = file_bytes();

    // A program path of 101 bytes that names an existing file, and whose first 100 bytes name another existing
    // program: a path is never cut, and one that does not fit is refused.
    const std::wstring folder = temp_folder();
    std::wstring long_name = folder;
    while (gbk_size(long_name) < 96) {
        long_name += L"a";
    }
    long_name += L".exe";
    ProgramFile typed_target(long_name + L"x");  // "...aaa.exex"
    ProgramFile other_program(long_name);
    ASSERT_EQ(gbk_size(long_name), 100u);
    ProgramFile document(folder + L"说明.txt");
    // A program in the current folder, named without it.
    ProgramFile nearby((std::filesystem::current_path() / L"相对.exe").wstring());

    struct Case {
        const char* name;
        std::function<void()> fill;
        std::wstring message;
        std::function<void()> kept;
    };
    const Case cases[] = {
        {"reminder_blank",
         [&] {
             set_when(std::nullopt, encode_time(0, 10, 0, 0, 0));
             set_reminder(L"   ");
         },
         L"请输入提醒内容！", [&] { EXPECT_EQ(task().Edit_remind_info->Text(), L"   "); }},
        {"program_missing",
         [&] {
             set_when(std::nullopt, encode_time(0, 10, 0, 0, 0));
             set_program(folder + L"没有这个程序.exe", L"-a", 2);
         },
         L"无效的应用程序路径！",
         [&] {
             EXPECT_EQ(task().Edit_shell_path->Text(), folder + L"没有这个程序.exe");
             EXPECT_EQ(task().Edit_command_line->Text(), L"-a");
             EXPECT_EQ(task().ComboBox_app_run_mode->ItemIndex(), 2);
             EXPECT_TRUE(task().GroupBox_shell->Visible());
         }},
        {"program_path_too_long",
         [&] {
             set_when(std::nullopt, encode_time(0, 10, 0, 0, 0));
             set_program(long_name + L"x", L"", 0);
         },
         L"无效的应用程序路径！", [&] { EXPECT_EQ(task().Edit_shell_path->Text(), long_name + L"x"); }},
        {"program_path_relative",
         [&] {
             set_when(std::nullopt, encode_time(0, 10, 0, 0, 0));
             set_program(L"相对.exe", L"", 0);
         },
         L"无效的应用程序路径！", [&] { EXPECT_EQ(task().Edit_shell_path->Text(), L"相对.exe"); }},
        {"program_path_of_a_document",
         [&] {
             set_when(std::nullopt, encode_time(0, 10, 0, 0, 0));
             set_program(document.path, L"", 0);
         },
         L"无效的应用程序路径！", [&] { EXPECT_EQ(task().Edit_shell_path->Text(), document.path); }},
        {"date_passed",
         [&] {
             set_when(today() - 1, encode_time(0, 10, 0, 0, 0));
             set_reminder(L"昨天的事");
         },
         L"您指定的时间已经过期！",
         [&] {
             EXPECT_TRUE(task().RadioButton_task_date2->Checked());
             EXPECT_EQ(task().DateTimePicker_task_date->Date(), today() - 1);
             EXPECT_EQ(task().Edit_remind_info->Text(), L"昨天的事");
         }},
        {"text_outside_gbk",
         [&] {
             set_when(std::nullopt, encode_time(0, 10, 0, 0, 0));
             set_reminder(L"喝水\U0001F4A7");
         },
         L"输入的内容中有无法保存的字符！", [&] { EXPECT_EQ(task().Edit_remind_info->Text(), L"喝水\U0001F4A7"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.fill();
        answer_next_message(c.message, 48, 0, std::string("task_refused_") + c.name);
        press_add_task();
        EXPECT_TRUE(asked);
        EXPECT_EQ(task_rows(), rows);
        EXPECT_EQ(form->schedule().task_list.size(), rows.size());
        EXPECT_EQ(file_bytes(), bytes);
        c.kept();
    }
    // The same dated time with "每天" is accepted.
    set_when(std::nullopt, encode_time(0, 10, 0, 0, 0));
    set_reminder(L"每天的事");
    press_add_task();
    EXPECT_EQ(task_rows().size(), rows.size() + 1);
}

TEST_F(TimetablePages, TextsAreCutAtTheirByteLimitsWithoutSplittingACharacter) {
    show_page(form->TabSheet_task);
    struct Case {
        const char* name;
        std::wstring text;
        std::wstring stored;
    };
    const std::wstring a199(199, L'a');
    const Case reminders[] = {
        {"character across the limit", a199 + L"中文", a199},
        {"character ending at the limit", std::wstring(198, L'a') + L"中文", std::wstring(198, L'a') + L"中"},
        {"250 bytes", std::wstring(250, L'b'), std::wstring(200, L'b')},
    };
    int hour = 0;
    for (const Case& c : reminders) {
        SCOPED_TRACE(c.name);
        set_when(std::nullopt, encode_time(0, static_cast<unsigned>(hour++), 0, 0, 0));
        set_reminder(c.text);
        press_add_task();
        EXPECT_EQ(task_rows().back().second, L"消息提醒：" + c.stored);
    }

    // A path of exactly 100 bytes ending in a double-byte character, and arguments cut at 100 bytes.
    std::wstring path = temp_folder() + L"中";
    while (gbk_size(path) < 94) {
        path += L"a";
    }
    path += L"中.exe";
    ASSERT_EQ(gbk_size(path), 100u);
    ProgramFile program(path);
    const std::wstring arguments = std::wstring(99, L'c') + L"参数";
    set_when(std::nullopt, encode_time(0, 23, 0, 0, 0));
    set_program(path, arguments, 0);
    press_add_task();
    EXPECT_EQ(task_rows().back().second, L"执行程序：" + path + L" " + std::wstring(99, L'c') + L" ");
    EXPECT_EQ(file_rows().tasks, task_rows());
}

TEST_F(TimetablePages, TypeAndDateButtonsSwitchTheEditorAndADoubleClickLoadsATaskBack) {
    show_page(form->TabSheet_task);
    TaskPage& t = task();
    t.RadioButton_shell_task->SetChecked(true);
    EXPECT_FALSE(t.GroupBox_message->Visible());
    EXPECT_TRUE(t.GroupBox_shell->Visible());
    t.RadioButton_task_date1->SetChecked(true);
    EXPECT_FALSE(t.DateTimePicker_task_date->Enabled());
    t.RadioButton_task_date2->SetChecked(true);
    EXPECT_TRUE(t.DateTimePicker_task_date->Enabled());

    ProgramFile program(temp_folder() + L"备份.exe");
    const TDateTime tomorrow = today() + 1;
    set_when(tomorrow, encode_time(0, 7, 30, 5, 0));
    set_program(program.path, L"/s 全部", 2);
    press_add_task();
    set_when(std::nullopt, encode_time(0, 6, 0, 0, 0));
    set_reminder(L"早上好");
    press_add_task();
    const Rows rows = task_rows();
    ASSERT_EQ(rows.size(), 2u);

    double_click_row(*t.ListView_TaskTimer, 1);  // the dated program task
    EXPECT_TRUE(t.RadioButton_task_date2->Checked());
    EXPECT_TRUE(t.DateTimePicker_task_date->Enabled());
    EXPECT_EQ(t.DateTimePicker_task_date->Date(), tomorrow);
    EXPECT_EQ(entry_time_text(t.DateTimePicker_task_time->Time()), "07:30:05");
    EXPECT_TRUE(t.RadioButton_shell_task->Checked());
    EXPECT_TRUE(t.GroupBox_shell->Visible());
    EXPECT_FALSE(t.GroupBox_message->Visible());
    EXPECT_EQ(t.Edit_shell_path->Text(), program.path);
    EXPECT_EQ(t.Edit_command_line->Text(), L"/s 全部");
    EXPECT_EQ(t.ComboBox_app_run_mode->ItemIndex(), 2);
    save_screenshot(form->Handle(), "task_page_program_loaded");

    double_click_row(*t.ListView_TaskTimer, 0);  // the every-day reminder
    EXPECT_TRUE(t.RadioButton_task_date1->Checked());
    EXPECT_FALSE(t.DateTimePicker_task_date->Enabled());
    EXPECT_EQ(entry_time_text(t.DateTimePicker_task_time->Time()), "06:00:00");
    EXPECT_TRUE(t.RadioButton_remind_task->Checked());
    EXPECT_TRUE(t.GroupBox_message->Visible());
    EXPECT_EQ(t.Edit_remind_info->Text(), L"早上好");
    EXPECT_EQ(task_rows(), rows);

    // Added again unchanged, the loaded task replaces itself.
    press_add_task();
    EXPECT_EQ(task_rows(), rows);
}

TEST_F(TimetablePages, AProgramGoneBeforeItsTimeIsNamedWithTheSystemsReason) {
    show_page(form->TabSheet_task);
    const TDateTime now = Win32Clock().now();
    const std::wstring path = temp_folder() + L"已删除的 程序.exe";
    {
        ProgramFile program(path);
        set_when(std::nullopt, add_time(now - static_cast<double>(day_part(now)), 2, TimePart::seconds));
        set_program(path, L"", 0);
        press_add_task();
        ASSERT_EQ(task_rows().size(), 1u);
    }
    // The message opens from the message loop and runs a loop of its own: looked at from a timer in there.
    bool told = false;
    TTimer look(nullptr);
    look.SetInterval(50);
    look.OnTimer = [&](TObject*) {
        if (told || !zqInfo.Showing) {
            return;
        }
        told = true;
        EXPECT_EQ(zqInfo.Frame->Caption(), L"提示");
        EXPECT_EQ(zqInfo.DlgType, 48u);
        EXPECT_EQ(zqInfo.TextLabel->Caption(),
                  L"定时任务的应用程序无法启动：\r\n" + path + L"\r\n" + to_wide(system_message(ERROR_FILE_NOT_FOUND)));
        save_screenshot_with_dialog("program_task_gone");
        PostMessageW(zqInfo.Buttons[0]->Handle(), BM_CLICK, 0, 0);
    };
    look.SetEnabled(true);
    EXPECT_TRUE(pump_until([&] { return told && !zqInfo.Showing; }, 8000)) << "told at the task's time";
}

TEST_F(TimetablePages, BrowsingOffersApplicationsAndPutsTheChosenPathInTheEditor) {
    show_page(form->TabSheet_task);
    task().RadioButton_shell_task->SetChecked(true);
    static ProgramFile* chosen = nullptr;
    ProgramFile program(temp_folder() + L"选中的程序.exe");
    chosen = &program;
    static std::vector<std::wstring> filters;
    filters.clear();
    when_dialog_opens([](HWND dialog) {
        HWND types = GetDlgItem(dialog, cmb1);
        const auto count = SendMessageW(types, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) {
            wchar_t text[256]{};
            SendMessageW(types, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            filters.emplace_back(text);
        }
        HWND name = GetDlgItem(dialog, cmb13);
        SetWindowTextW(name != nullptr ? name : GetDlgItem(dialog, edt1), chosen->path.c_str());
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    });
    task().SpeedButton1->Click();
    EXPECT_EQ(filters, std::vector<std::wstring>{L"应用程序"});
    EXPECT_EQ(_wcsicmp(task().Edit_shell_path->Text().c_str(), program.path.c_str()), 0);
    chosen = nullptr;  // the file goes with this test
}

}  // namespace
}  // namespace vistrel::app
