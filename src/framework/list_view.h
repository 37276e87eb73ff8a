#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/strings.h"
#include "framework/win_control.h"

namespace vistrel {

class TListView;
class TListItem;
class TPopupMenu;

/// A column of a report-style list view: a caption and a fixed width, or a share of the width left over.
class TListColumn {
public:
    explicit TListColumn(TListView& list_view) : list_view_(list_view) {}
    TListColumn(const TListColumn&) = delete;
    TListColumn& operator=(const TListColumn&) = delete;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    /// The width shown (for an automatic column, its share once the list has a window).
    int Width() const { return width_; }
    void SetWidth(int width);
    /// Automatic columns share the client width that the fixed ones leave.
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool auto_size);

private:
    friend class TListView;
    TListView& list_view_;
    std::wstring caption_;
    int width_ = 50;
    bool auto_size_ = false;
};

/// The texts of a row after its caption, one per further column.
class TListSubItems : public TStrings {
public:
    explicit TListSubItems(TListItem& item) : item_(item) {}

protected:
    void Inserted(int index) override;
    void Cleared() override;

private:
    TListItem& item_;
};

/// A row of a list view.
class TListItem {
public:
    explicit TListItem(TListView& list_view) : list_view_(list_view), sub_items_(*this) {}
    TListItem(const TListItem&) = delete;
    TListItem& operator=(const TListItem&) = delete;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    TListSubItems& SubItems() { return sub_items_; }
    const TListSubItems& SubItems() const { return sub_items_; }
    int Index() const;

private:
    friend class TListView;
    friend class TListSubItems;
    TListView& list_view_;
    std::wstring caption_;
    TListSubItems sub_items_;
};

/// The columns of a list view, left to right.
class TListColumns {
public:
    explicit TListColumns(TListView& list_view) : list_view_(list_view) {}
    TListColumns(const TListColumns&) = delete;
    TListColumns& operator=(const TListColumns&) = delete;

    TListColumn* Add();
    int Count() const { return static_cast<int>(columns_.size()); }
    TListColumn* operator[](int index) const { return columns_.at(static_cast<std::size_t>(index)).get(); }
    int IndexOf(const TListColumn* column) const;

private:
    TListView& list_view_;
    std::vector<std::unique_ptr<TListColumn>> columns_;
};

/// The rows of a list view, top to bottom.
class TListItems {
public:
    explicit TListItems(TListView& list_view) : list_view_(list_view) {}
    TListItems(const TListItems&) = delete;
    TListItems& operator=(const TListItems&) = delete;

    /// Appends an empty row.
    TListItem* Add();
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TListItem* operator[](int index) const { return items_.at(static_cast<std::size_t>(index)).get(); }
    int IndexOf(const TListItem* item) const;

private:
    TListView& list_view_;
    std::vector<std::unique_ptr<TListItem>> items_;
};

/// The system list view in report style: one selected row at most, a context menu of the framework.
class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;

    TListColumns& Columns() { return columns_; }
    TListItems& Items() { return items_; }
    /// The selected row, or nullptr.
    TListItem* Selected();
    void SetSelected(TListItem* item);
    /// The index of the selected row, -1 when none is.
    int ItemIndex();
    void SetItemIndex(int index);
    /// How wide the list's font writes a text; asking makes no window.
    int StringWidth(const std::wstring& text);

    bool RowSelect() const { return row_select_; }
    void SetRowSelect(bool row_select);
    bool FlatScrollBars() const { return flat_scroll_bars_; }
    void SetFlatScrollBars(bool flat);
    /// Rows under the mouse show the hand cursor.
    bool HotTrack() const { return hot_track_; }
    void SetHotTrack(bool hot_track) { hot_track_ = hot_track; }
    /// Whether captions can be edited in place (they can unless read-only).
    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool read_only);
    /// Opened on a right click or the context-menu key; not owned.
    TPopupMenu* PopupMenu() const;
    void SetPopupMenu(TPopupMenu* menu);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    std::optional<LRESULT> reflected_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    friend class TListColumn;
    friend class TListColumns;
    friend class TListItem;
    friend class TListItems;
    friend class TListSubItems;

    void insert_column(int index);
    void update_column(int index);
    // Inserts or updates a column of the window (LVM_INSERTCOLUMNW or LVM_SETCOLUMNW) from columns_[index].
    void send_column(UINT message, int index);
    /// Gives the automatic columns their shares of the client width.
    void fit_columns();
    void insert_row(int index);
    void set_cell(int row, int column, const std::wstring& text);
    void delete_rows();
    void apply_extended_style();
    void set_style_bit(DWORD bit, bool on);
    void popup_context_menu(LPARAM position);
    bool set_hot_cursor();
    std::optional<LRESULT> notify(const NMHDR& header, LPARAM lparam);

    TListColumns columns_{*this};
    TListItems items_{*this};
    int item_index_ = -1;  // the selection while there is no window
    bool row_select_ = false;
    bool flat_scroll_bars_ = false;
    bool hot_track_ = false;
    bool read_only_ = false;
    bool fitting_ = false;
    ComponentRef<TPopupMenu> popup_menu_;
};

}  // namespace vistrel
