#include "app/rest_page.h"

#include "app/Unit1.h"
#include "app/form_style.h"
#include "engine/date_time.h"
#include "framework/label.h"
#include "win32/wide_text.h"

namespace vistrel::app {
namespace {

constexpr wchar_t kBreakNotBelowSpan[] = L"休息时间小于时间间隔！";

}  // namespace

RestPage::RestPage(TForm1& form, TTabSheet& sheet) : form_(form) {
    zqPageControl_timer = new TzqPageControl(&form);
    zqPageControl_timer->SetParent(&sheet);
    zqPageControl_timer->SetBounds(6, 7, 450, 66);
    zqPageControl_timer->SetTabPosition(tpBottom);
    zqPageControl_timer->SetOwnerDraw(true);
    TabSheet_standard = add_page(form, *zqPageControl_timer, L"标准");
    TabSheet_custom = add_page(form, *zqPageControl_timer, L"定制");
    zqPageControl_timer->SetActivePage(TabSheet_standard);
    create_standard_tab();

    ListView_RestTimer = new TListView(&form);
    ListView_RestTimer->SetParent(&sheet);
    ListView_RestTimer->SetBounds(6, 78, 450, 200);
    ListView_RestTimer->SetRowSelect(true);
    ListView_RestTimer->SetFlatScrollBars(true);
    ListView_RestTimer->SetHotTrack(true);
    ListView_RestTimer->SetReadOnly(true);
    ListView_RestTimer->SetPopupMenu(form.PopupMenu1);
    for (const wchar_t* caption : {L"时间", L"休息时长（分钟）"}) {
        TListColumn* column = ListView_RestTimer->Columns().Add();
        column->SetCaption(caption);
        column->SetAutoSize(true);
    }
}

void RestPage::create_standard_tab() {
    TTabSheet& tab = *TabSheet_standard;
    add_label(form_, tab, L"从", 8, 12);
    DateTimePicker_begin = add_time_picker(form_, tab, 18, 8, 72);
    DateTimePicker_begin->SetTime(encode_time(0, 0, 0, 1, 0));
    add_label(form_, tab, L"到", 94, 12);
    DateTimePicker_end = add_time_picker(form_, tab, 110, 8, 72);
    DateTimePicker_end->SetTime(encode_time(0, 23, 59, 59, 0));
    add_label(form_, tab, L"  每隔", 182, 12);
    CSpinEdit_ansi_span = add_spin_edit(form_, tab, 220, 8, 10, 180, 60);
    add_label(form_, tab, L"分钟   休息", 264, 12);
    CSpinEdit_ansi_break = add_spin_edit(form_, tab, 330, 8, 1, 60, 1);
    add_label(form_, tab, L"分钟", 374, 12);
    zqButton_generate_timers = new TzqButton(&form_);
    zqButton_generate_timers->SetParent(&tab);
    zqButton_generate_timers->SetBounds(398, 6, 44, 24);
    zqButton_generate_timers->SetCaption(L"确定");
    zqButton_generate_timers->OnClick = [this](TObject* sender) { zqButton_generate_timersClick(sender); };
}

void RestPage::refresh_rest_list() {
    TListItems& rows = ListView_RestTimer->Items();
    rows.Clear();
    for (const TimerEntry& entry : form_.schedule().rest_list) {
        TListItem* row = rows.Add();
        row->SetCaption(to_wide(entry_time_text(entry.time)));
        row->SubItems().Add(std::to_wstring(entry.break_minutes()));
    }
    if (form_.running()) {
        form_.scheduler().rebuild_due_chain();
    }
}

void RestPage::zqButton_generate_timersClick(TObject*) {
    const int span = CSpinEdit_ansi_span->Value();
    const int rest = CSpinEdit_ansi_break->Value();
    if (rest >= span) {
        zqInfo.MessageDlg(kBreakNotBelowSpan, kNoticeCaption, MessageService::kWarning);
        return;
    }
    if (!generate_rests(form_.schedule().rest_list, DateTimePicker_begin->Time(), DateTimePicker_end->Time(),
                        static_cast<unsigned>(span), static_cast<unsigned>(rest))) {
        return;
    }
    refresh_rest_list();
    form_.save_schedule();
}

}  // namespace vistrel::app
