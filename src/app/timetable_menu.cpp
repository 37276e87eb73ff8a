#include "app/timetable_menu.h"

#include "app/form_style.h"

namespace vistrel::app {
namespace {

constexpr char kClearQuestion[] = "是否清空该列表？";

}  // namespace

TimetableMenu::TimetableMenu(TComponent& owner, TPopupMenu& menu, TimetableChanges& changes, MessageService& messages)
    : menu_(menu), changes_(changes), messages_(messages) {
    menu.OnPopup = [this](TObject* sender) { PopupMenu1Popup(sender); };
    auto add_item = [&](const wchar_t* caption, TNotifyEvent on_click) {
        auto* item = new TMenuItem(&owner);
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

const TimetableList* TimetableMenu::served() const {
    return changes_.list_of(menu_.PopupComponent());
}

void TimetableMenu::PopupMenu1Popup(TObject*) {
    const TimetableList* list = served();
    Menu_del_item->Enabled = list != nullptr && list->view.Selected() != nullptr;
}

void TimetableMenu::N1Click(TObject*) {
    if (const TimetableList* list = served()) {
        changes_.refresh(list->timetable);
    }
}

void TimetableMenu::Menu_del_itemClick(TObject*) {
    const TimetableList* list = served();
    const TListItem* row = list != nullptr ? list->view.Selected() : nullptr;
    if (row == nullptr) {
        return;
    }
    const TDateTime time = row_time(*row);
    changes_.edit(list->timetable, [time](TimerList& timetable) {
        remove_entry(timetable, time);
        return EditOutcome{};
    });
}

void TimetableMenu::Menu_delete_allClick(TObject*) {
    const TimetableList* list = served();
    if (list == nullptr ||
        messages_.MessageDlg(kClearQuestion, kNoticeCaption, MessageService::kConfirm) != MessageService::kOk) {
        return;
    }
    changes_.edit(list->timetable, [](TimerList& timetable) {
        clear_list(timetable);
        return EditOutcome{};
    });
}

}  // namespace vistrel::app
