#include "app/about_page.h"

#include "app/Unit1.h"
#include "app/form_style.h"

namespace vistrel::app {

AboutPage::AboutPage(TForm1& form, TTabSheet& sheet) {
    GroupBox_copyright = new TGroupBox(&form);
    GroupBox_copyright->SetParent(&sheet);
    GroupBox_copyright->SetCaption(L"版权声明");
    GroupBox_copyright->SetBounds(8, 5, 446, 99);
    add_label(form, *GroupBox_copyright, L"软件名称：　Vistrel", 12, 22);
    add_label(form, *GroupBox_copyright, L"软件版本：　Ver 1.0", 12, 40);
}

}  // namespace vistrel::app
