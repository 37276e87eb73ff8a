#pragma once

#include "framework/group_box.h"
#include "framework/page_control.h"

namespace vistrel::app {

class TForm1;

/// The page "关于...": the product, its version and how to use it.
class AboutPage {
public:
    AboutPage(TForm1& form, TTabSheet& sheet);

    TGroupBox* GroupBox_copyright = nullptr;
};

}  // namespace vistrel::app
