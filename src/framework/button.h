#pragma once

#include "framework/form.h"
#include "framework/win_control.h"

namespace vistrel {

/// The system push button: Enter presses the active (focused or default) button, Escape the cancel button.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel = false;
    TModalResult ModalResult = mrNone;

    void Click() override;
    bool DialogKey(WORD key, TShiftState shift) override;
    void FocusChanged(TWinControl* focused) override;
    /// Whether this is the button Enter presses now.
    bool Active() const { return active_; }

protected:
    void CreateParams(TCreateParams& params) override;
    std::optional<LRESULT> reflected_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    /// Shows the button as the active one or not.
    virtual void SetButtonStyle(bool active);

private:
    bool default_ = false;
    bool active_ = false;
};

}  // namespace vistrel
