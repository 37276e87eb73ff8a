#pragma once

#include "app/timetable_changes.h"
#include "engine/message_service.h"
#include "framework/menu.h"

namespace vistrel::app {

/// The context menu PopupMenu1 that both timetable lists share: refresh, delete and delete all, acting on the
/// timetable of the list it was opened over.
class TimetableMenu {
public:
    TimetableMenu(TComponent& owner, TPopupMenu& menu, TimetableChanges& changes, MessageService& messages);

    TMenuItem* N1 = nullptr;
    TMenuItem* Menu_del_item = nullptr;
    TMenuItem* Menu_delete_all = nullptr;

    void PopupMenu1Popup(TObject* sender);
    void N1Click(TObject* sender);
    void Menu_del_itemClick(TObject* sender);
    void Menu_delete_allClick(TObject* sender);

private:
    /// The list the menu was opened over; null when it was opened over nothing it serves.
    const TimetableList* served() const;

    TPopupMenu& menu_;
    TimetableChanges& changes_;
    MessageService& messages_;
};

}  // namespace vistrel::app
