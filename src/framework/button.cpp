#include "framework/button.h"

namespace vistrel {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.base_class = L"BUTTON";
    params.class_name = L"VistrelButton";
    params.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value) {
    if (value != default_) {
        default_ = value;
        TForm* form = GetParentForm();
        if (form != nullptr && dynamic_cast<TButton*>(form->ActiveControl()) == nullptr) {
            active_ = default_;
            SetButtonStyle(active_);
        }
    }
}

void TButton::Click() {
    if (TForm* form = GetParentForm(); form != nullptr && ModalResult != mrNone) {
        form->SetModalResult(ModalResult);
    }
    TWinControl::Click();
}

bool TButton::DialogKey(WORD key, TShiftState shift) {
    if (((key == VK_RETURN && active_) || (key == VK_ESCAPE && Cancel)) && shift == 0 && CanFocus()) {
        Click();
        return true;
    }
    return false;
}

void TButton::FocusChanged(TWinControl* focused) {
    const bool active = dynamic_cast<TButton*>(focused) != nullptr ? focused == this : default_;
    if (active != active_) {
        active_ = active;
        SetButtonStyle(active);
    }
}

void TButton::SetButtonStyle(bool active) {
    if (HandleAllocated()) {
        SendMessageW(Handle(), BM_SETSTYLE, active ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

std::optional<LRESULT> TButton::reflected_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
        Click();
        return 0;
    }
    return TWinControl::reflected_message(message, wparam, lparam);
}

}  // namespace vistrel
