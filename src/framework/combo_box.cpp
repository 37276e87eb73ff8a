#include "framework/combo_box.h"

namespace vistrel {

void TComboBoxItems::Inserted(int index) {
    if (combo_box_.HandleAllocated()) {
        SendMessageW(combo_box_.Handle(), CB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>((*this)[index].c_str()));
    }
}

void TComboBoxItems::Cleared() {
    combo_box_.item_index_ = -1;
    if (combo_box_.HandleAllocated()) {
        SendMessageW(combo_box_.Handle(), CB_RESETCONTENT, 0, 0);
    }
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
}

void TComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.base_class = L"COMBOBOX";
    params.class_name = L"VistrelComboBox";
    params.style |= CBS_DROPDOWNLIST | WS_VSCROLL;
    params.height = height_with_list(params.height);
}

void TComboBox::CreateWnd() {
    TWinControl::CreateWnd();
    for (int i = 0; i < items_.Count(); ++i) {
        items_.Inserted(i);
    }
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(item_index_), 0);
}

int TComboBox::height_with_list(int height) const {
    return height + DropDownCount * 16 + 2;
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
    if (!HandleAllocated()) {
        TWinControl::SetBounds(left, top, width, height);
        return;
    }
    // The closed box keeps the height its font gives it; the window stores it back when it moves.
    SetWindowPos(Handle(), nullptr, left, top, width, height_with_list(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::SetItemIndex(int index) {
    item_index_ = index >= 0 && index < items_.Count() ? index : -1;
    if (HandleAllocated()) {
        SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(item_index_), 0);
    }
}

std::optional<LRESULT> TComboBox::reflected_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && HIWORD(wparam) == CBN_SELCHANGE) {
        item_index_ = static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
        if (OnChange) {
            OnChange(this);
        }
        return 0;
    }
    return TWinControl::reflected_message(message, wparam, lparam);
}

}  // namespace vistrel
