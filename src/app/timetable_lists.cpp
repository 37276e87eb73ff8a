#include "app/timetable_lists.h"

#include <string>

#include "app/Unit1.h"
#include "app/form_style.h"
#include "app/rest_page.h"
#include "app/task_page.h"
#include "components/Zqinfodlg.h"
#include "win32/wide_text.h"

namespace vistrel::app {
namespace {

constexpr wchar_t kClearQuestion[] = L"是否清空该列表？";

}  // namespace

void show_refusal(EditRefusal refusal) {
    zqInfo.MessageDlg(to_wide(edit_message(refusal)), kNoticeCaption, MessageService::kWarning);
}

TDateTime row_time(const TListItem& row) {
    return parse_entry_time(to_utf8(row.Caption())).value_or(0.0);
}

TimetableMenu::TimetableMenu(TForm1& form) : form_(form) {
    TPopupMenu& menu = *form.PopupMenu1;
    menu.OnPopup = [this](TObject* sender) { PopupMenu1Popup(sender); };
    auto add_item = [&](const wchar_t* caption, TNotifyEvent on_click) {
        auto* item = new TMenuItem(&form);
        item->Caption = caption;
        item->OnClick = std::move(on_click);
        menu.Items().Add(item);
        return item;
    };
    N1 = add_item(L"刷新", [this](TObject* sender) { N1Click(sender); });
    add_item(L"-", {});
    Menu_del_item = add_item(L"删除", [this](TObject* sender) { Menu_del_itemClick(sender); });
    Menu_delete_all = add_item(L"全部删除", [this](TObject* sender) { Menu_delete_allClick(sender); });
}

bool TimetableMenu::on_rest_page() const {
    return form_.zqPageControl_main->ActivePage()->PageIndex() == 0;
}

TimetableMenu::Timetable TimetableMenu::active() const {
    Schedule& schedule = form_.schedule();
    if (on_rest_page()) {
        return {schedule.rest_list, *form_.rest_page().ListView_RestTimer};
    }
    return {schedule.task_list, *form_.task_page().ListView_TaskTimer};
}

void TimetableMenu::refresh_active() {
    if (on_rest_page()) {
        form_.rest_page().refresh_rest_list();
    } else {
        form_.task_page().refresh_task_list();
    }
}

void TimetableMenu::PopupMenu1Popup(TObject*) {
    Menu_del_item->Enabled = active().view.Selected() != nullptr;
}

void TimetableMenu::N1Click(TObject*) {
    refresh_active();
}

void TimetableMenu::Menu_del_itemClick(TObject*) {
    const Timetable timetable = active();
    const TListItem* row = timetable.view.Selected();
    if (row == nullptr) {
        return;
    }
    remove_entry(timetable.list, row_time(*row));
    refresh_active();
    form_.save_schedule();
}

void TimetableMenu::Menu_delete_allClick(TObject*) {
    if (zqInfo.MessageDlg(kClearQuestion, kNoticeCaption, MessageService::kConfirm) != MessageService::kOk) {
        return;
    }
    clear_list(active().list);
    refresh_active();
    form_.save_schedule();
}

}  // namespace vistrel::app
