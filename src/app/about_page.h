#pragma once

#include "components/Zqbtn.h"
#include "framework/edit.h"
#include "framework/group_box.h"
#include "framework/page_control.h"
#include "framework/timer.h"

namespace vistrel::app {

/// The page "关于...": the product, its version and maker, an animated picture while the page is shown, and how to
/// use the program.
class AboutPage {
public:
    /// Builds the page's controls on `sheet`, owned by `owner`, and runs the animation on `animation` while `pages`
    /// shows this page: the page takes over the timer's event and the page control's change event.
    AboutPage(TComponent& owner, TTabSheet& sheet, TPageControl& pages, TTimer& animation);

    TGroupBox* GroupBox_copyright = nullptr;
    TzqBtn* zqBtn1 = nullptr;
    TGroupBox* GroupBox_about = nullptr;
    TMemo* Memo_Tell_About = nullptr;

    /// The main page control changed its page: the animation runs exactly while this page is shown.
    void zqPageControl_mainChange(TObject* sender);
    /// The next picture, from 13 round to 0.
    void Timer_animateTimer(TObject* sender);

private:
    void create_copyright_group(TTabSheet& sheet);
    void create_animation_button();
    /// The pictures are decoded the first time the page shows: most runs of the program never open it.
    void load_animation();
    void create_description(TTabSheet& sheet);

    TComponent& owner_;
    TTabSheet& sheet_;
    TPageControl& pages_;
    TTimer& animation_;
};

}  // namespace vistrel::app
