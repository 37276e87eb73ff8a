#pragma once

#include "framework/win_control.h"

namespace vistrel {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

/// The system check box. A change of state, by the user or from code, raises OnClick.
class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);
    /// Whether a click passes through the grayed state on its way from unchecked to checked.
    bool AllowGrayed = false;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    std::optional<LRESULT> reflected_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    TCheckBoxState state_ = cbUnchecked;
};

}  // namespace vistrel
