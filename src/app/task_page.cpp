#include "app/task_page.h"

#include <string>

#include "app/Unit1.h"
#include "app/form_style.h"
#include "engine/date_time.h"
#include "engine/text_codec.h"
#include "win32/wide_text.h"

namespace vistrel::app {
namespace {

TGroupBox* add_group(TComponent& owner, TWinControl& parent, const std::wstring& caption, RECT bounds) {
    auto* group = new TGroupBox(&owner);
    group->SetParent(&parent);
    group->SetCaption(caption);
    group->SetBounds(bounds.left, bounds.top, bounds.right, bounds.bottom);
    return group;
}

std::wstring gbk_text(const std::string& gbk) {
    return to_wide(gbk_to_utf8(gbk));
}

// The "任务" column of a task row.
std::wstring task_text(const TimerEntry& entry) {
    if (!entry.is_program()) {
        return L"消息提醒：" + gbk_text(entry.remind_info());
    }
    std::wstring text = L"执行程序：" + gbk_text(entry.shell_path()) + L" ";
    if (const std::string arguments = entry.command_line(); !arguments.empty()) {
        text += gbk_text(arguments) + L" ";
    }
    switch (entry.run_mode()) {
        case 1:
            return text + L"(最大化窗口)";
        case 2:
            return text + L"(最小化窗口)";
        case 3:
            return text + L"(隐藏窗口)";
        default:
            return text;
    }
}

}  // namespace

TaskPage::TaskPage(TForm1& form, TTabSheet& sheet) : form_(form) {
    GroupBox_date = add_group(form, sheet, L"执行日期", {6, 9, 169, 65});
    DateTimePicker_task_date = add_picker(form, *GroupBox_date, dtkDate, 60, 36, 100);
    GroupBox_time = add_group(form, sheet, L"执行时间", {196, 9, 90, 65});
    DateTimePicker_task_time = add_time_picker(form, *GroupBox_time, 8, 36, 74);

    ListView_TaskTimer = new TListView(&form);
    ListView_TaskTimer->SetParent(&sheet);
    ListView_TaskTimer->SetBounds(6, 159, 450, 118);
    ListView_TaskTimer->SetRowSelect(true);
    ListView_TaskTimer->SetFlatScrollBars(true);
    ListView_TaskTimer->SetReadOnly(true);
    ListView_TaskTimer->SetPopupMenu(form.PopupMenu1);
    TListColumn* time = ListView_TaskTimer->Columns().Add();
    time->SetCaption(L"时间");
    time->SetWidth(150);
    TListColumn* task = ListView_TaskTimer->Columns().Add();
    task->SetCaption(L"任务");
    task->SetAutoSize(true);
}

void TaskPage::refresh_task_list() {
    TListItems& rows = ListView_TaskTimer->Items();
    rows.Clear();
    for (const TimerEntry& entry : form_.schedule().task_list) {
        TListItem* row = rows.Add();
        row->SetCaption(to_wide(entry_time_text(entry.time)));
        row->SubItems().Add(task_text(entry));
    }
    if (form_.running()) {
        form_.scheduler().rebuild_due_chain();
    }
}

}  // namespace vistrel::app
