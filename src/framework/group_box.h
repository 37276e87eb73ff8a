#pragma once

#include "framework/win_control.h"

namespace vistrel {

/// A captioned, etched frame that holds other controls; drawn in its parent's colour.
class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc, const RECT& update) override;
};

}  // namespace vistrel
