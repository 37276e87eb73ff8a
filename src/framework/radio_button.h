#pragma once

#include "framework/win_control.h"

namespace vistrel {

/// The system radio button: checking one unchecks the other radio buttons of the same parent.
/// A click raises OnClick, even on the checked button; from code, checking raises OnClick.
class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    std::optional<LRESULT> reflected_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void set_check(bool checked);

    bool checked_ = false;
};

}  // namespace vistrel
