#pragma once

#include <optional>

#include "app/timetable_changes.h"
#include "components/Zqbutton.h"
#include "engine/clock.h"
#include "engine/message_service.h"
#include "engine/program_starter.h"
#include "engine/timetable_edits.h"
#include "framework/combo_box.h"
#include "framework/date_time_picker.h"
#include "framework/edit.h"
#include "framework/group_box.h"
#include "framework/list_view.h"
#include "framework/menu.h"
#include "framework/page_control.h"
#include "framework/radio_button.h"
#include "framework/speed_button.h"

namespace vistrel::app {

/// The page "定时任务表": timed reminders and program starts, every day or once on a date.
class TaskPage {
public:
    /// Builds the page's controls on `sheet`, owned by `owner`; the list offers `list_menu`. Changes of task_list
    /// go through `changes`, which this page tells how its list shows them; a dated task is checked against the
    /// clock's now, a program task's file through `programs`.
    TaskPage(TComponent& owner,
             TTabSheet& sheet,
             TPopupMenu& list_menu,
             TimerList& task_list,
             TimetableChanges& changes,
             MessageService& messages,
             Clock& clock,
             ProgramStarter& programs);

    TGroupBox* GroupBox_date = nullptr;
    TRadioButton* RadioButton_task_date1 = nullptr;
    TRadioButton* RadioButton_task_date2 = nullptr;
    TDateTimePicker* DateTimePicker_task_date = nullptr;
    TGroupBox* GroupBox_time = nullptr;
    TDateTimePicker* DateTimePicker_task_time = nullptr;
    TGroupBox* GroupBox_tasktype = nullptr;
    TRadioButton* RadioButton_remind_task = nullptr;
    TRadioButton* RadioButton_shell_task = nullptr;
    TGroupBox* GroupBox_message = nullptr;
    TEdit* Edit_remind_info = nullptr;
    TGroupBox* GroupBox_shell = nullptr;
    TEdit* Edit_shell_path = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TEdit* Edit_command_line = nullptr;
    TComboBox* ComboBox_app_run_mode = nullptr;
    TGroupBox* GroupBox_add = nullptr;
    TzqButton* zqButton_add_task = nullptr;
    TListView* ListView_TaskTimer = nullptr;

    /// Shows task_list and, while the schedule runs, schedules it again.
    void refresh_task_list();
    /// The date and time pickers show the current moment.
    void show_now();
    /// Adds the task in the editor, or replaces the task at exactly its time; a refusal changes nothing.
    void zqButton_add_taskClick(TObject* sender);
    /// "指定" enables the date picker, "每天" disables it.
    void RadioButtonClick_appoint_date(TObject* sender);
    /// "消息提醒" shows the reminder's text, "执行外部应用程序" the program's settings.
    void RadioButton_TaskType_click(TObject* sender);
    /// Lets the user pick the program to start.
    void SpeedButton1Click(TObject* sender);
    /// Loads the selected task back into the editor; the timetable is not changed.
    void ListView_TaskTimerDblClick(TObject* sender);

private:
    void create_when_groups(TTabSheet& sheet);
    void create_type_group(TTabSheet& sheet);
    void create_message_group(TTabSheet& sheet);
    void create_shell_group(TTabSheet& sheet);
    void create_add_button(TTabSheet& sheet);
    void create_list(TTabSheet& sheet, TPopupMenu& list_menu);
    void show_rows();
    void fit_task_column();
    /// The task as the editor holds it; nothing when a text holds a character the data file cannot keep.
    std::optional<TaskRequest> edited_task() const;
    void show_task(const TimerEntry& task);

    TComponent& owner_;
    TimerList& task_list_;
    TimetableChanges& changes_;
    MessageService& messages_;
    Clock& clock_;
    ProgramStarter& programs_;
};

}  // namespace vistrel::app
