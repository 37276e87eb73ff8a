#pragma once

#include "framework/date_time_picker.h"
#include "framework/group_box.h"
#include "framework/list_view.h"
#include "framework/page_control.h"

namespace vistrel::app {

class TForm1;

/// The page "定时任务表": timed reminders and program starts, every day or once on a date.
class TaskPage {
public:
    TaskPage(TForm1& form, TTabSheet& sheet);

    TGroupBox* GroupBox_date = nullptr;
    TDateTimePicker* DateTimePicker_task_date = nullptr;
    TGroupBox* GroupBox_time = nullptr;
    TDateTimePicker* DateTimePicker_task_time = nullptr;
    TListView* ListView_TaskTimer = nullptr;

    /// Shows task_list and, while the schedule runs, schedules it again.
    void refresh_task_list();

private:
    TForm1& form_;
};

}  // namespace vistrel::app
