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

// Each tab of the inner page control holds one line, 442 x 39: fields 8 pixels down, their labels on the fields' text
// line, the button a little taller and 4 pixels clear of the tab's right edge. The places leave each label its
// width in the program's font (宋体 at 12 pixels: 6 pixels a half-width character, blanks included) and a field
// room for its widest value beside its arrows.
constexpr int kFieldTop = 8;
constexpr int kLabelTop = 12;
constexpr int kTimePickerWidth = 72;
constexpr int kTwoDigitsWidth = 40;
constexpr int kThreeDigitsWidth = 46;
// Both tabs have their button in the same place, so that switching tabs leaves the action where it was.
constexpr RECT kButtonBounds{404, 6, 34, 24};

// A spin field as wide as its largest value needs.
TSpinEdit* add_number_field(TComponent& owner, TWinControl& tab, int left, int min_value, int max_value, int value) {
    TSpinEdit* field = add_spin_edit(owner, tab, left, kFieldTop, min_value, max_value, value);
    field->SetWidth(max_value > 99 ? kThreeDigitsWidth : kTwoDigitsWidth);
    return field;
}

TzqButton* add_button(TComponent& owner, TWinControl& parent, const std::wstring& caption) {
    auto* button = new TzqButton(&owner);
    button->SetParent(&parent);
    button->SetBounds(kButtonBounds.left, kButtonBounds.top, kButtonBounds.right, kButtonBounds.bottom);
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
    add_label(owner_, tab, L"从", 4, kLabelTop);
    DateTimePicker_begin = add_time_picker(owner_, tab, 18, kFieldTop, kTimePickerWidth);
    DateTimePicker_begin->SetTime(encode_time(0, 0, 0, 1, 0));
    add_label(owner_, tab, L"到", 94, kLabelTop);
    DateTimePicker_end = add_time_picker(owner_, tab, 108, kFieldTop, kTimePickerWidth);
    DateTimePicker_end->SetTime(encode_time(0, 23, 59, 59, 0));
    add_label(owner_, tab, L"  每隔", 180, kLabelTop);
    CSpinEdit_ansi_span = add_number_field(owner_, tab, 218, 10, 180, 60);
    add_label(owner_, tab, L"分钟   休息", 266, kLabelTop);
    CSpinEdit_ansi_break = add_number_field(owner_, tab, 334, 1, 60, 1);
    add_label(owner_, tab, L"分钟", 376, kLabelTop);
    zqButton_generate_timers = add_button(owner_, tab, L"确定");
    zqButton_generate_timers->OnClick = [this](TObject* sender) { zqButton_generate_timersClick(sender); };
}

void RestPage::create_custom_tab() {
    TTabSheet& tab = *TabSheet_custom;
    CSpinEdit_custom_hour = add_number_field(owner_, tab, 8, 0, 23, 0);
    add_label(owner_, tab, L"点", 52, kLabelTop);
    CSpinEdit_custom_minute = add_number_field(owner_, tab, 68, 0, 59, 0);
    add_label(owner_, tab, L"分", 112, kLabelTop);
    CSpinEdit_custom_second = add_number_field(owner_, tab, 128, 0, 59, 0);
    add_label(owner_, tab, L"秒           休息", 172, kLabelTop);
    CSpinEdit_custom_break = add_number_field(owner_, tab, 282, 1, 60, 1);
    add_label(owner_, tab, L"分钟", 326, kLabelTop);
    zqButton_add_rest_timer = add_button(owner_, tab, L"添加");
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
