#pragma once

#include "framework/page_control.h"

namespace vistrel {

/// The program's page control: owner-drawn tabs show their page's caption centred on a flat face.
class TzqPageControl : public TPageControl {
public:
    explicit TzqPageControl(TComponent* owner);

protected:
    void DrawTab(int tab_index, const RECT& rect, bool active) override;
};

}  // namespace vistrel
