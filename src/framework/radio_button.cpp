#include "framework/radio_button.h"

namespace vistrel {

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetParentColor(true);
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.base_class = L"BUTTON";
    params.class_name = L"VistrelRadioButton";
    // Not automatic: the system would only uncheck siblings within a dialog group, we uncheck by parent.
    params.style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool checked) {
    if (checked == checked_) {
        return;
    }
    set_check(checked);
    if (checked) {
        Click();
    }
}

void TRadioButton::set_check(bool checked) {
    checked_ = checked;
    if (HandleAllocated()) {
        SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    if (checked && Parent() != nullptr) {
        for (TControl* sibling : Parent()->Controls()) {
            if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio != nullptr && radio != this) {
                radio->set_check(false);
            }
        }
    }
}

std::optional<LRESULT> TRadioButton::reflected_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
        if (!checked_) {
            set_check(true);
        }
        Click();
        return 0;
    }
    return TWinControl::reflected_message(message, wparam, lparam);
}

}  // namespace vistrel
