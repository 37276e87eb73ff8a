#include "framework/check_box.h"

namespace vistrel {
namespace {

WPARAM button_check(TCheckBoxState state) {
    constexpr WPARAM kCheck[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    return kCheck[state];
}

}  // namespace

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetParentColor(true);
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.base_class = L"BUTTON";
    params.class_name = L"VistrelCheckBox";
    // Not an automatic box: the state is ours, so a click and a change from code take the same road.
    params.style |= BS_3STATE;
}

void TCheckBox::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(Handle(), BM_SETCHECK, button_check(state_), 0);
}

void TCheckBox::SetState(TCheckBoxState state) {
    if (state == state_) {
        return;
    }
    state_ = state;
    if (HandleAllocated()) {
        SendMessageW(Handle(), BM_SETCHECK, button_check(state), 0);
    }
    Click();
}

std::optional<LRESULT> TCheckBox::reflected_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
        switch (state_) {
            case cbUnchecked:
                SetState(AllowGrayed ? cbGrayed : cbChecked);
                break;
            case cbChecked:
                SetState(cbUnchecked);
                break;
            case cbGrayed:
                SetState(cbChecked);
                break;
        }
        return 0;
    }
    return TWinControl::reflected_message(message, wparam, lparam);
}

}  // namespace vistrel
