#pragma once

#include "framework/button.h"
#include "framework/canvas.h"

namespace vistrel {

/// A push button that paints itself: a flat face in its own colour inside the system push-button frame.
/// Its face colour is the control's Color; OnMouseEnter and OnMouseLeave come from the control.
class TzqButton : public TButton {
public:
    explicit TzqButton(TComponent* owner);

    /// The last value handed to SetButtonStyle.
    bool ActiveStyle() const { return FActiveStyle; }

protected:
    void CreateParams(TCreateParams& params) override;
    void SetButtonStyle(bool active) override;
    std::optional<LRESULT> reflected_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    /// Paints from the draw-item data.
    void CNDrawItem(const DRAWITEMSTRUCT& item);

private:
    bool FActiveStyle = false;
    TCanvas FCanvas;
};

}  // namespace vistrel
