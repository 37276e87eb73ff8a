#pragma once

#include "framework/win_control.h"

namespace vistrel {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

/// The system edit control: one line (TEdit) or several (TMemo).
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool read_only);
    wchar_t PasswordChar() const { return password_char_; }
    void SetPasswordChar(wchar_t password_char);
    int MaxLength() const { return max_length_; }
    void SetMaxLength(int max_length);
    void SelectAll();

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    std::optional<LRESULT> reflected_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    bool read_only_ = false;
    wchar_t password_char_ = 0;
    int max_length_ = 0;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner);
};

class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* owner);

    TScrollStyle ScrollBars() const { return scroll_bars_; }
    void SetScrollBars(TScrollStyle scroll_bars);
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool word_wrap);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void recreate();

    TScrollStyle scroll_bars_ = ssNone;
    bool word_wrap_ = true;
};

}  // namespace vistrel
