#pragma once

#include "app/timetable_changes.h"
#include "components/Zqbutton.h"
#include "components/Zqpagecontrol.h"
#include "framework/date_time_picker.h"
#include "framework/list_view.h"
#include "framework/menu.h"
#include "framework/spin_edit.h"

namespace vistrel::app {

/// The page "休息时间表": the rest timetable, generated as a standard working day or added time by time.
class RestPage {
public:
    /// Builds the page's controls on `sheet`, owned by `owner`; the list offers `list_menu`. Changes of rest_list
    /// go through `changes`, which this page tells how its list shows them.
    RestPage(TComponent& owner,
             TTabSheet& sheet,
             TPopupMenu& list_menu,
             TimerList& rest_list,
             TimetableChanges& changes);

    TzqPageControl* zqPageControl_timer = nullptr;
    TTabSheet* TabSheet_standard = nullptr;
    TTabSheet* TabSheet_custom = nullptr;
    TDateTimePicker* DateTimePicker_begin = nullptr;
    TDateTimePicker* DateTimePicker_end = nullptr;
    TSpinEdit* CSpinEdit_ansi_span = nullptr;
    TSpinEdit* CSpinEdit_ansi_break = nullptr;
    TzqButton* zqButton_generate_timers = nullptr;
    TSpinEdit* CSpinEdit_custom_hour = nullptr;
    TSpinEdit* CSpinEdit_custom_minute = nullptr;
    TSpinEdit* CSpinEdit_custom_second = nullptr;
    TSpinEdit* CSpinEdit_custom_break = nullptr;
    TzqButton* zqButton_add_rest_timer = nullptr;
    TListView* ListView_RestTimer = nullptr;

    /// Shows rest_list and, while the schedule runs, schedules it again.
    void refresh_rest_list();
    /// The standard generation: rests every span minutes from begin to end, each of the break's length.
    void zqButton_generate_timersClick(TObject* sender);
    /// Adds the custom rest time, or changes the length of the rest already at that time.
    void zqButton_add_rest_timerClick(TObject* sender);
    /// Copies the selected row into the custom editor; the timetable is not changed.
    void ListView_RestTimerDblClick(TObject* sender);

private:
    void create_standard_tab();
    void create_custom_tab();
    void create_list(TTabSheet& sheet, TPopupMenu& list_menu);
    void show_rows();

    TComponent& owner_;
    TimerList& rest_list_;
    TimetableChanges& changes_;
};

}  // namespace vistrel::app
