#pragma once

#include "engine/date_time.h"
#include "engine/timetable.h"
#include "engine/timetable_edits.h"
#include "framework/list_view.h"
#include "framework/menu.h"

namespace vistrel::app {

class TForm1;

/// Shows why an edit of a timetable was refused, with the warning icon under the caption "提示".
void show_refusal(EditRefusal refusal);

/// The time a row of a timetable list stands for, read back from its caption; 0 when the text is no time.
TDateTime row_time(const TListItem& row);

/// The context menu PopupMenu1 of both timetable lists: refresh, delete and delete all, acting on the timetable
/// of the main window's active page.
class TimetableMenu {
public:
    explicit TimetableMenu(TForm1& form);

    TMenuItem* N1 = nullptr;
    TMenuItem* Menu_del_item = nullptr;
    TMenuItem* Menu_delete_all = nullptr;

    void PopupMenu1Popup(TObject* sender);
    void N1Click(TObject* sender);
    void Menu_del_itemClick(TObject* sender);
    void Menu_delete_allClick(TObject* sender);

private:
    // The main window's first page is the rest page; any other page means the task timetable.
    bool on_rest_page() const;
    // The timetable of the active page and its list.
    struct Timetable {
        TimerList& list;
        TListView& view;
    };
    Timetable active() const;
    void refresh_active();

    TForm1& form_;
};

}  // namespace vistrel::app
