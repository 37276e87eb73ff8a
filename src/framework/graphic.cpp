#include "framework/graphic.h"

namespace vistrel {

void TGraphic::SetTransparent(bool transparent) {
    if (transparent != transparent_) {
        transparent_ = transparent;
        Changed();
    }
}

void TGraphic::Changed() {
    if (OnChange) {
        OnChange(this);
    }
}

}  // namespace vistrel
