#pragma once

#include <memory>

#include "framework/canvas.h"
#include "framework/control.h"

namespace vistrel {

/// A control without a window: painted on its parent's canvas and given mouse input by its parent.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    /// The canvas bound to the parent's painting while Paint runs.
    TCanvas& Canvas() { return *canvas_; }
    /// Paints on a device context whose origin is this control's top-left corner.
    void paint_on(HDC dc);

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TCanvas> canvas_;
};

}  // namespace vistrel
