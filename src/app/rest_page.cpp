#include "app/rest_page.h"

#include <cwchar>
#include <string>

#include "app/form_style.h"
#include "app/timetable_lists.h"
#include "engine/date_time.h"
#include "engine/timetable_edits.h"
#include "framework/label.h"
#include "win32/wide_text.h"

namespace vistrel::app {
namespace {

TzqButton* add_button(TComponent& owner, TWinControl& parent, const std::wstring& caption, int left) {
    auto* button = new TzqButton(&owner);
    button->SetParent(&parent);
    button->SetBounds(left, 6, 44, 24);
    button->SetCaption(caption);
    return button;
}

}  // namespace

RestPage::RestPage(TComponent& owner,
                   TTabSheet& sheet,
                   TPopupMenu& list_menu,
                   TimerList& rest_list,
                   TimetableChanges& changes)
    : owner_(owner), rest_list_(rest_list), changes_(changes) {
    zqPageControl_timer = new TzqPageControl(&owner);
    zqPageControl_timer->SetParent(&sheet);
    zqPageControl_timer->SetBounds(6, 7, 450, 66);
    zqPageControl_timer->SetTabPosition(tpBottom);
    zqPageControl_timer->SetOwnerDraw(true);
    TabSheet_standard = add_page(owner, *zqPageControl_timer, L"标准");
    TabSheet_custom = add_page(owner, *zqPageControl_timer, L"定制");
    zqPageControl_timer->SetActivePage(TabSheet_standard);
    create_standard_tab();
    create_custom_tab();
    create_list(sheet, list_menu);
    changes.add_list({rest_list, *ListView_RestTimer, [this] { show_rows(); }});
}

void RestPage::create_standard_tab() {
    TTabSheet& tab = *TabSheet_standard;
    add_label(owner_, tab, L"从", 8, 12);
    DateTimePicker_begin = add_time_picker(owner_, tab, 22, 8, 72);
    DateTimePicker_begin->SetTime(encode_time(0, 0, 0, 1, 0));
    add_label(owner_, tab, L"到", 98, 12);
    DateTimePicker_end = add_time_picker(owner_, tab, 112, 8, 72);
    DateTimePicker_end->SetTime(encode_time(0, 23, 59, 59, 0));
    add_label(owner_, tab, L"  每隔", 184, 12);
    CSpinEdit_ansi_span = add_spin_edit(owner_, tab, 222, 8, 10, 180, 60);
    add_label(owner_, tab, L"分钟   休息", 266, 12);
    CSpinEdit_ansi_break = add_spin_edit(owner_, tab, 334, 8, 1, 60, 1);
    add_label(owner_, tab, L"分钟", 378, 12);
    zqButton_generate_timers = add_button(owner_, tab, L"确定", 402);
    zqButton_generate_timers->OnClick = [this](TObject* sender) { zqButton_generate_timersClick(sender); };
}

void RestPage::create_custom_tab() {
    TTabSheet& tab = *TabSheet_custom;
    CSpinEdit_custom_hour = add_spin_edit(owner_, tab, 8, 8, 0, 23, 0);
    add_label(owner_, tab, L"点", 52, 12);
    CSpinEdit_custom_minute = add_spin_edit(owner_, tab, 68, 8, 0, 59, 0);
    add_label(owner_, tab, L"分", 112, 12);
    CSpinEdit_custom_second = add_spin_edit(owner_, tab, 128, 8, 0, 59, 0);
    add_label(owner_, tab, L"秒           休息", 172, 12);
    CSpinEdit_custom_break = add_spin_edit(owner_, tab, 282, 8, 1, 60, 1);
    add_label(owner_, tab, L"分钟", 326, 12);
    zqButton_add_rest_timer = add_button(owner_, tab, L"添加", 402);
    zqButton_add_rest_timer->OnClick = [this](TObject* sender) { zqButton_add_rest_timerClick(sender); };
}

void RestPage::create_list(TTabSheet& sheet, TPopupMenu& list_menu) {
    ListView_RestTimer = new TListView(&owner_);
    ListView_RestTimer->SetParent(&sheet);
    ListView_RestTimer->SetBounds(6, 78, 450, 200);
    ListView_RestTimer->SetRowSelect(true);
    ListView_RestTimer->SetFlatScrollBars(true);
    ListView_RestTimer->SetHotTrack(true);
    ListView_RestTimer->SetReadOnly(true);
    ListView_RestTimer->SetPopupMenu(&list_menu);
    ListView_RestTimer->OnDblClick = [this](TObject* sender) { ListView_RestTimerDblClick(sender); };
    for (const wchar_t* caption : {L"时间", L"休息时长（分钟）"}) {
        TListColumn* column = ListView_RestTimer->Columns().Add();
        column->SetCaption(caption);
        column->SetAutoSize(true);
    }
}

void RestPage::refresh_rest_list() {
    changes_.refresh(rest_list_);
}

void RestPage::show_rows() {
    TListItems& rows = ListView_RestTimer->Items();
    rows.Clear();
    for (const TimerEntry& entry : rest_list_) {
        TListItem* row = rows.Add();
        row->SetCaption(to_wide(entry_time_text(entry.time)));
        row->SubItems().Add(std::to_wstring(entry.break_minutes()));
    }
}

void RestPage::zqButton_generate_timersClick(TObject*) {
    const StandardRests rests{DateTimePicker_begin->Time(), DateTimePicker_end->Time(),
                              static_cast<unsigned>(CSpinEdit_ansi_span->Value()),
                              static_cast<unsigned>(CSpinEdit_ansi_break->Value())};
    changes_.edit(rest_list_, [&rests](TimerList& timetable) { return generate_rest_timetable(timetable, rests); });
}

void RestPage::zqButton_add_rest_timerClick(TObject*) {
    const TDateTime time = encode_time(0, static_cast<unsigned>(CSpinEdit_custom_hour->Value()),
                                       static_cast<unsigned>(CSpinEdit_custom_minute->Value()),
                                       static_cast<unsigned>(CSpinEdit_custom_second->Value()), 0);
    const auto minutes = static_cast<unsigned>(CSpinEdit_custom_break->Value());
    changes_.edit(rest_list_, [time, minutes](TimerList& timetable) { return add_rest(timetable, time, minutes); });
}

void RestPage::ListView_RestTimerDblClick(TObject*) {
    const TListItem* row = ListView_RestTimer->Selected();
    if (row == nullptr) {
        return;
    }
    zqPageControl_timer->SetActivePage(TabSheet_custom);
    const DecodedTime time = decode_time(row_time(*row));
    CSpinEdit_custom_hour->SetValue(time.hours);
    CSpinEdit_custom_minute->SetValue(time.minutes);
    CSpinEdit_custom_second->SetValue(time.seconds);
    const TListSubItems& columns = row->SubItems();
    CSpinEdit_custom_break->SetValue(
        columns.Count() > 0 ? static_cast<int>(std::wcstol(columns[0].c_str(), nullptr, 10)) : 0);
}

}  // namespace vistrel::app
