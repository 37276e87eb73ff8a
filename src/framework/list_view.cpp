#include "framework/list_view.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/canvas.h"
#include "framework/menu.h"

namespace vistrel {
namespace {

void require_list_view_class() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;
}

}  // namespace

void TListColumn::SetCaption(const std::wstring& caption) {
    if (caption != caption_) {
        caption_ = caption;
        list_view_.update_column(list_view_.columns_.IndexOf(this));
    }
}

void TListColumn::SetWidth(int width) {
    if (width != width_ || auto_size_) {
        width_ = width;
        auto_size_ = false;
        list_view_.update_column(list_view_.columns_.IndexOf(this));
    }
}

void TListColumn::SetAutoSize(bool auto_size) {
    if (auto_size != auto_size_) {
        auto_size_ = auto_size;
        list_view_.update_column(list_view_.columns_.IndexOf(this));
    }
}

TListColumn* TListColumns::Add() {
    columns_.push_back(std::make_unique<TListColumn>(list_view_));
    list_view_.insert_column(Count() - 1);
    return columns_.back().get();
}

int TListColumns::IndexOf(const TListColumn* column) const {
    const auto it = std::find_if(columns_.begin(), columns_.end(), [&](const auto& c) { return c.get() == column; });
    return static_cast<int>(it - columns_.begin());
}

void TListSubItems::Inserted(int index) {
    item_.list_view_.set_cell(item_.Index(), index + 1, (*this)[index]);
}

void TListSubItems::Cleared() {
    for (int column = 1; column < item_.list_view_.columns_.Count(); ++column) {
        item_.list_view_.set_cell(item_.Index(), column, std::wstring());
    }
}

void TListItem::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    list_view_.set_cell(Index(), 0, caption_);
}

int TListItem::Index() const {
    return list_view_.items_.IndexOf(this);
}

TListItem* TListItems::Add() {
    items_.push_back(std::make_unique<TListItem>(list_view_));
    list_view_.insert_row(Count() - 1);
    return items_.back().get();
}

void TListItems::Clear() {
    list_view_.delete_rows();
    items_.clear();
}

int TListItems::IndexOf(const TListItem* item) const {
    const auto it = std::find_if(items_.begin(), items_.end(), [&](const auto& i) { return i.get() == item; });
    return it != items_.end() ? static_cast<int>(it - items_.begin()) : -1;
}

TListView::TListView(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetColor(clWindow);
    SetBounds(0, 0, 250, 150);
}

TListView::~TListView() = default;

void TListView::CreateParams(TCreateParams& params) {
    require_list_view_class();
    TWinControl::CreateParams(params);
    params.base_class = WC_LISTVIEWW;
    params.class_name = L"VistrelListView";
    params.style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    if (!read_only_) {
        params.style |= LVS_EDITLABELS;
    }
    params.ex_style |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd() {
    TWinControl::CreateWnd();
    apply_extended_style();
    for (int column = 0; column < columns_.Count(); ++column) {
        insert_column(column);
    }
    for (int row = 0; row < items_.Count(); ++row) {
        insert_row(row);
    }
    SetItemIndex(item_index_);
}

void TListView::DestroyWnd() {
    item_index_ = ItemIndex();
    TWinControl::DestroyWnd();
}

int TListView::StringWidth(const std::wstring& text) {
    if (HandleAllocated()) {
        return static_cast<int>(SendMessageW(Handle(), LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    TCanvas& canvas = measuring_canvas();
    canvas.Font().Assign(Font());
    return canvas.TextWidth(text);
}

void TListView::insert_column(int index) {
    send_column(LVM_INSERTCOLUMNW, index);
}

void TListView::update_column(int index) {
    send_column(LVM_SETCOLUMNW, index);
}

void TListView::send_column(UINT message, int index) {
    if (!HandleAllocated()) {
        return;
    }
    const TListColumn& column = *columns_[index];
    std::wstring caption = column.caption_;
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH;
    info.pszText = caption.data();
    info.cx = column.width_;
    SendMessageW(Handle(), message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    fit_columns();
}

void TListView::fit_columns() {
    if (!HandleAllocated() || fitting_) {
        return;
    }
    fitting_ = true;
    RECT client{};
    GetClientRect(Handle(), &client);
    int fixed = 0;
    int automatic = 0;
    for (int i = 0; i < columns_.Count(); ++i) {
        if (columns_[i]->auto_size_) {
            ++automatic;
        } else {
            fixed += columns_[i]->width_;
        }
    }
    int left = std::max(0, static_cast<int>(client.right) - fixed);
    for (int i = 0; i < columns_.Count() && automatic > 0; ++i) {
        TListColumn& column = *columns_[i];
        if (column.auto_size_) {
            // The last automatic column takes what the division leaves.
            column.width_ = left / automatic--;
            left -= column.width_;
            SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), column.width_);
        }
    }
    fitting_ = false;
}

void TListView::insert_row(int index) {
    if (!HandleAllocated()) {
        return;
    }
    const TListItem& item = *items_[index];
    std::wstring caption = item.caption_;
    LVITEMW info{};
    info.mask = LVIF_TEXT;
    info.iItem = index;
    info.pszText = caption.data();
    SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&info));
    for (int sub = 0; sub < item.sub_items_.Count(); ++sub) {
        set_cell(index, sub + 1, item.sub_items_[sub]);
    }
}

void TListView::set_cell(int row, int column, const std::wstring& text) {
    if (!HandleAllocated()) {
        return;
    }
    std::wstring copy = text;
    LVITEMW info{};
    info.iSubItem = column;
    info.pszText = copy.data();
    SendMessageW(Handle(), LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&info));
}

void TListView::delete_rows() {
    item_index_ = -1;
    if (HandleAllocated()) {
        SendMessageW(Handle(), LVM_DELETEALLITEMS, 0, 0);
    }
}

TListItem* TListView::Selected() {
    const int index = ItemIndex();
    return index >= 0 ? items_[index] : nullptr;
}

void TListView::SetSelected(TListItem* item) {
    SetItemIndex(items_.IndexOf(item));
}

int TListView::ItemIndex() {
    if (!HandleAllocated()) {
        return item_index_;
    }
    return static_cast<int>(SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TListView::SetItemIndex(int index) {
    item_index_ = index >= 0 && index < items_.Count() ? index : -1;
    if (!HandleAllocated()) {
        return;
    }
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (item_index_ >= 0) {
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(item_index_), reinterpret_cast<LPARAM>(&state));
        SendMessageW(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(item_index_), FALSE);
    }
}

void TListView::SetRowSelect(bool row_select) {
    row_select_ = row_select;
    apply_extended_style();
}

void TListView::SetFlatScrollBars(bool flat) {
    flat_scroll_bars_ = flat;
    apply_extended_style();
}

void TListView::apply_extended_style() {
    if (!HandleAllocated()) {
        return;
    }
    const DWORD style = (row_select_ ? LVS_EX_FULLROWSELECT : 0u) | (flat_scroll_bars_ ? LVS_EX_FLATSB : 0u);
    SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_FLATSB, style);
}

void TListView::SetReadOnly(bool read_only) {
    read_only_ = read_only;
    set_style_bit(LVS_EDITLABELS, !read_only);
}

void TListView::set_style_bit(DWORD bit, bool on) {
    if (!HandleAllocated()) {
        return;
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
    SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(on ? style | bit : style & ~bit));
}

TPopupMenu* TListView::PopupMenu() const {
    return popup_menu_;
}

void TListView::SetPopupMenu(TPopupMenu* menu) {
    popup_menu_ = menu;
}

void TListView::popup_context_menu(LPARAM position) {
    POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    if (position == -1) {
        // From the keyboard: below the selected row, or at the top-left corner.
        RECT row{LVIR_BOUNDS, 0, 0, 0};
        const int index = ItemIndex();
        if (index < 0 ||
            !SendMessageW(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row))) {
            row = {};
        }
        at = ClientToScreen({row.left, row.bottom});
    }
    popup_menu_->SetPopupComponent(this);
    popup_menu_->Popup(at.x, at.y);
}

bool TListView::set_hot_cursor() {
    LVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    hit.pt = ScreenToClient(hit.pt);
    if (SendMessageW(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0) {
        return false;
    }
    ::SetCursor(cursor_handle(crHandPoint));
    return true;
}

LRESULT TListView::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CONTEXTMENU:
            if (popup_menu_ != nullptr) {
                popup_context_menu(lparam);
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (hot_track_ && reinterpret_cast<HWND>(wparam) == Handle() && LOWORD(lparam) == HTCLIENT &&
                set_hot_cursor()) {
                return TRUE;
            }
            break;
        case WM_SIZE: {
            const LRESULT result = TWinControl::handle_message(message, wparam, lparam);
            fit_columns();
            return result;
        }
        default:
            break;
    }
    return TWinControl::handle_message(message, wparam, lparam);
}

std::optional<LRESULT> TListView::notify(const NMHDR& header, LPARAM lparam) {
    switch (header.code) {
        case NM_DBLCLK:
            DblClick();
            return 0;
        case LVN_BEGINLABELEDITW:
            return read_only_ ? TRUE : FALSE;
        case LVN_ENDLABELEDITW: {
            const auto& edit = *reinterpret_cast<const NMLVDISPINFOW*>(lparam);
            if (edit.item.pszText == nullptr || read_only_) {
                return FALSE;
            }
            items_[edit.item.iItem]->caption_ = edit.item.pszText;
            return TRUE;
        }
        default:
            return std::nullopt;
    }
}

std::optional<LRESULT> TListView::reflected_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NOTIFY) {
        if (auto result = notify(*reinterpret_cast<const NMHDR*>(lparam), lparam)) {
            return result;
        }
    }
    return TWinControl::reflected_message(message, wparam, lparam);
}

}  // namespace vistrel
