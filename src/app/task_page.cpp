#include "app/task_page.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/form_style.h"
#include "app/timetable_lists.h"
#include "engine/date_time.h"
#include "engine/text_codec.h"
#include "framework/label.h"
#include "framework/open_dialog.h"
#include "win32/wide_text.h"

namespace vistrel::app {
namespace {

// The data file keeps texts in GBK; a character outside it would be lost.
constexpr char kUnstorableText[] = "输入的内容中有无法保存的字符！";

// Room a list view's cell leaves around its text.
constexpr int kCellMargins = 16;

TEdit* add_edit(TComponent& owner, TWinControl& parent, RECT bounds) {
    auto* edit = new TEdit(&owner);
    edit->SetParent(&parent);
    edit->SetBounds(bounds.left, bounds.top, bounds.right, bounds.bottom);
    return edit;
}

// Two radio buttons one above the other, tagged 0 and 1; the caller checks one.
void add_choice(TComponent& owner,
                TWinControl& group,
                TRadioButton*& first,
                TRadioButton*& second,
                const wchar_t* first_caption,
                const wchar_t* second_caption,
                int width) {
    first = add_radio_button(owner, group, first_caption, 10, 18, 0);
    second = add_radio_button(owner, group, second_caption, 10, 40, 1);
    for (TRadioButton* button : {first, second}) {
        button->SetBounds(button->Left(), button->Top(), width, button->Height());
    }
}

int tag_of(TObject* sender) {
    const auto* component = dynamic_cast<TComponent*>(sender);
    return component != nullptr ? component->Tag : 0;
}

std::optional<std::string> gbk_of(const TEdit& edit) {
    return utf8_to_gbk(to_utf8(edit.Text()));
}

std::wstring wide_of(const std::string& gbk) {
    return to_wide(gbk_to_utf8(gbk));
}

}  // namespace

TaskPage::TaskPage(TComponent& owner,
                   TTabSheet& sheet,
                   TPopupMenu& list_menu,
                   TimerList& task_list,
                   TimetableChanges& changes,
                   MessageService& messages,
                   Clock& clock,
                   ProgramStarter& programs)
    : owner_(owner), task_list_(task_list), changes_(changes), messages_(messages), clock_(clock), programs_(programs) {
    create_when_groups(sheet);
    create_type_group(sheet);
    create_message_group(sheet);
    create_shell_group(sheet);
    create_add_button(sheet);
    create_list(sheet, list_menu);
    changes.add_list({task_list, *ListView_TaskTimer, [this] { show_rows(); }});
}

void TaskPage::create_when_groups(TTabSheet& sheet) {
    GroupBox_date = add_group(owner_, sheet, L"执行日期", {6, 9, 169, 65});
    add_choice(owner_, *GroupBox_date, RadioButton_task_date1, RadioButton_task_date2, L"每天", L"指定", 48);
    DateTimePicker_task_date = add_picker(owner_, *GroupBox_date, dtkDate, 62, 38, 98);
    RadioButton_task_date2->SetChecked(true);
    for (TRadioButton* button : {RadioButton_task_date1, RadioButton_task_date2}) {
        button->OnClick = [this](TObject* sender) { RadioButtonClick_appoint_date(sender); };
    }
    GroupBox_time = add_group(owner_, sheet, L"执行时间", {190, 9, 100, 65});
    DateTimePicker_task_time = add_time_picker(owner_, *GroupBox_time, 10, 38, 80);
}

void TaskPage::create_type_group(TTabSheet& sheet) {
    GroupBox_tasktype = add_group(owner_, sheet, L"任务类型", {303, 9, 153, 65});
    add_choice(owner_, *GroupBox_tasktype, RadioButton_remind_task, RadioButton_shell_task, L"消息提醒",
               L"执行外部应用程序", 136);
    RadioButton_remind_task->SetChecked(true);
    for (TRadioButton* button : {RadioButton_remind_task, RadioButton_shell_task}) {
        button->OnClick = [this](TObject* sender) { RadioButton_TaskType_click(sender); };
    }
}

void TaskPage::create_message_group(TTabSheet& sheet) {
    GroupBox_message = add_group(owner_, sheet, L"消息提醒内容", {6, 80, 360, 70});
    Edit_remind_info = add_edit(owner_, *GroupBox_message, {10, 30, 340, 21});
}

void TaskPage::create_shell_group(TTabSheet& sheet) {
    GroupBox_shell = add_group(owner_, sheet, L"外部应用程序启动设置", {6, 80, 360, 70});
    GroupBox_shell->SetVisible(false);
    add_label(owner_, *GroupBox_shell, L"程序路径:", 8, 22);
    Edit_shell_path = add_edit(owner_, *GroupBox_shell, {68, 18, 256, 21});
    SpeedButton1 = new TSpeedButton(&owner_);
    SpeedButton1->SetParent(GroupBox_shell);
    SpeedButton1->SetBounds(326, 18, 24, 21);
    SpeedButton1->SetFlat(true);
    SpeedButton1->SetCaption(L"...");
    SpeedButton1->OnClick = [this](TObject* sender) { SpeedButton1Click(sender); };
    add_label(owner_, *GroupBox_shell, L"命令行参数:", 8, 47);
    Edit_command_line = add_edit(owner_, *GroupBox_shell, {80, 43, 120, 21});
    add_label(owner_, *GroupBox_shell, L"启动方式:", 206, 47);
    ComboBox_app_run_mode = new TComboBox(&owner_);
    ComboBox_app_run_mode->SetParent(GroupBox_shell);
    ComboBox_app_run_mode->SetBounds(262, 43, 88, 21);
    for (const wchar_t* mode : {L"默认窗口", L"最大化", L"最小化", L"隐藏窗口"}) {
        ComboBox_app_run_mode->Items().Add(mode);
    }
    ComboBox_app_run_mode->SetItemIndex(0);
}

void TaskPage::create_add_button(TTabSheet& sheet) {
    GroupBox_add = add_group(owner_, sheet, L"", {378, 80, 76, 70});
    zqButton_add_task = new TzqButton(&owner_);
    zqButton_add_task->SetParent(GroupBox_add);
    zqButton_add_task->SetBounds(10, 22, 56, 28);
    zqButton_add_task->SetCaption(L"添加");
    zqButton_add_task->OnClick = [this](TObject* sender) { zqButton_add_taskClick(sender); };
}

void TaskPage::create_list(TTabSheet& sheet, TPopupMenu& list_menu) {
    ListView_TaskTimer = new TListView(&owner_);
    ListView_TaskTimer->SetParent(&sheet);
    ListView_TaskTimer->SetBounds(6, 159, 450, 118);
    ListView_TaskTimer->SetRowSelect(true);
    ListView_TaskTimer->SetFlatScrollBars(true);
    ListView_TaskTimer->SetReadOnly(true);
    ListView_TaskTimer->SetPopupMenu(&list_menu);
    ListView_TaskTimer->OnDblClick = [this](TObject* sender) { ListView_TaskTimerDblClick(sender); };
    TListColumn* time = ListView_TaskTimer->Columns().Add();
    time->SetCaption(L"时间");
    time->SetWidth(150);
    TListColumn* task = ListView_TaskTimer->Columns().Add();
    task->SetCaption(L"任务");
    task->SetAutoSize(true);
}

void TaskPage::refresh_task_list() {
    changes_.refresh(task_list_);
}

void TaskPage::show_now() {
    const TDateTime now = clock_.now();
    DateTimePicker_task_date->SetDateTime(now);
    DateTimePicker_task_time->SetDateTime(now);
}

void TaskPage::show_rows() {
    TListItems& rows = ListView_TaskTimer->Items();
    rows.Clear();
    for (const TimerEntry& entry : task_list_) {
        TListItem* row = rows.Add();
        row->SetCaption(to_wide(entry_time_text(entry.time)));
        row->SubItems().Add(to_wide(task_text(entry)));
    }
    fit_task_column();
}

void TaskPage::fit_task_column() {
    // A program's path and arguments are often longer than the list is wide: rather than cut them off, the
    // column then takes the longest text's width and the list scrolls sideways.
    TListView& list = *ListView_TaskTimer;
    int widest = 0;
    for (int i = 0; i < list.Items().Count(); ++i) {
        widest = std::max(widest, list.StringWidth(list.Items()[i]->SubItems()[0]));
    }
    const RECT client = list.ClientRect();
    const TListColumn& time = *list.Columns()[0];
    TListColumn& task = *list.Columns()[1];
    const int needed = widest + kCellMargins;
    if (needed > client.right - time.Width()) {
        task.SetWidth(needed);
    } else {
        task.SetAutoSize(true);
    }
}

std::optional<TaskRequest> TaskPage::edited_task() const {
    TaskRequest task;
    task.time_of_day = DateTimePicker_task_time->Time();
    if (DateTimePicker_task_date->Enabled()) {
        task.date = DateTimePicker_task_date->Date();
    }
    task.program = RadioButton_shell_task->Checked();
    if (!task.program) {
        auto text = gbk_of(*Edit_remind_info);
        if (!text) {
            return std::nullopt;
        }
        task.payload.remind_info = std::move(*text);
        return task;
    }
    auto path = gbk_of(*Edit_shell_path);
    auto arguments = gbk_of(*Edit_command_line);
    if (!path || !arguments) {
        return std::nullopt;
    }
    task.payload.shell_path = std::move(*path);
    task.payload.command_line = std::move(*arguments);
    task.payload.run_mode = static_cast<std::uint8_t>(std::max(ComboBox_app_run_mode->ItemIndex(), 0));
    return task;
}

void TaskPage::zqButton_add_taskClick(TObject*) {
    const std::optional<TaskRequest> task = edited_task();
    if (!task) {
        messages_.MessageDlg(kUnstorableText, kNoticeCaption, MessageService::kWarning);
        return;
    }
    changes_.edit(task_list_,
                  [&](TimerList& timetable) { return add_task(timetable, *task, clock_.now(), programs_); });
}

void TaskPage::RadioButtonClick_appoint_date(TObject* sender) {
    DateTimePicker_task_date->SetEnabled(tag_of(sender) != 0);
}

void TaskPage::RadioButton_TaskType_click(TObject* sender) {
    const bool reminder = tag_of(sender) == 0;
    GroupBox_message->SetVisible(reminder);
    GroupBox_shell->SetVisible(!reminder);
}

void TaskPage::SpeedButton1Click(TObject*) {
    TOpenDialog dialog(nullptr);
    dialog.Filter = L"应用程序|*.exe";
    if (dialog.Execute()) {
        Edit_shell_path->SetText(dialog.FileName);
    }
}

void TaskPage::ListView_TaskTimerDblClick(TObject*) {
    const TListItem* row = ListView_TaskTimer->Selected();
    if (row == nullptr) {
        return;
    }
    if (const TimerEntry* task = find_entry(task_list_, row_time(*row))) {
        show_task(*task);
    }
}

void TaskPage::show_task(const TimerEntry& task) {
    const auto days = static_cast<TDateTime>(day_part(task.time));
    if (task.is_dated()) {
        RadioButton_task_date2->SetChecked(true);
        DateTimePicker_task_date->SetDate(days);
    } else {
        RadioButton_task_date1->SetChecked(true);
    }
    DateTimePicker_task_time->SetTime(task.time - days);
    if (task.is_program()) {
        RadioButton_shell_task->SetChecked(true);
        Edit_shell_path->SetText(wide_of(task.shell_path()));
        Edit_command_line->SetText(wide_of(task.command_line()));
        ComboBox_app_run_mode->SetItemIndex(task.run_mode() < 4 ? task.run_mode() : 0);
    } else {
        RadioButton_remind_task->SetChecked(true);
        Edit_remind_info->SetText(wide_of(task.remind_info()));
    }
}

}  // namespace vistrel::app
