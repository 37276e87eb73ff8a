#include "framework/graphic_control.h"

namespace vistrel {

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::paint_on(HDC dc) {
    struct Unbind {
        TCanvas& canvas;
        ~Unbind() { canvas.SetHandle(nullptr); }
    } unbind{*canvas_};
    canvas_->SetHandle(dc);
    Paint();
}

}  // namespace vistrel
