#include "framework/edit.h"

namespace vistrel {

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetColor(clWindow);
    SetCursor(crIBeam);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.base_class = L"EDIT";
    params.class_name = L"VistrelEdit";
    params.style |= ES_AUTOHSCROLL | ES_LEFT;
    if (read_only_) {
        params.style |= ES_READONLY;
    }
    params.ex_style |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(Handle(), EM_SETPASSWORDCHAR, password_char_, 0);
    SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
}

void TCustomEdit::SetReadOnly(bool read_only) {
    read_only_ = read_only;
    if (HandleAllocated()) {
        SendMessageW(Handle(), EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
    }
}

void TCustomEdit::SetPasswordChar(wchar_t password_char) {
    password_char_ = password_char;
    if (HandleAllocated()) {
        SendMessageW(Handle(), EM_SETPASSWORDCHAR, password_char, 0);
        Invalidate();
    }
}

void TCustomEdit::SetMaxLength(int max_length) {
    max_length_ = max_length;
    if (HandleAllocated()) {
        SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(max_length), 0);
    }
}

void TCustomEdit::SelectAll() {
    SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

std::optional<LRESULT> TCustomEdit::reflected_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && HIWORD(wparam) == EN_CHANGE) {
        if (OnChange) {
            OnChange(this);
        }
        return 0;
    }
    return TWinControl::reflected_message(message, wparam, lparam);
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {
    SetBounds(0, 0, 121, 21);
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
    SetBounds(0, 0, 185, 89);
}

void TMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    if (word_wrap_) {
        params.style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    }
    constexpr DWORD kScroll[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
    params.style |= kScroll[scroll_bars_];
}

void TMemo::SetScrollBars(TScrollStyle scroll_bars) {
    if (scroll_bars != scroll_bars_) {
        scroll_bars_ = scroll_bars;
        recreate();
    }
}

void TMemo::SetWordWrap(bool word_wrap) {
    if (word_wrap != word_wrap_) {
        word_wrap_ = word_wrap;
        recreate();
    }
}

void TMemo::recreate() {
    // Wrapping and scroll bars are fixed when the edit window is made.
    if (HandleAllocated()) {
        DestroyHandle();
        HandleNeeded();
    }
}

}  // namespace vistrel
