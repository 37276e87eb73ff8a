#include "app/about_page.h"

#include <gtest/gtest.h>

#include <vector>

#include "main_window_fixture.h"
#include "test_support.h"

namespace vistrel::app {
namespace {

using AboutPageTest = MainWindowTest;

TEST_F(AboutPageTest, TheAnimationRunsOnlyWhileThePageIsShownAndGoesOnWhereItStopped) {
    make_window();
    AboutPage& page = form->about_page();
    TTimer& timer = *form->Timer_animate;
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 500u);
    // The pictures are loaded when the page first shows, starting from the last one.
    EXPECT_EQ(page.zqBtn1->PictureList().Count(), 0);

    select_page(form->TabSheet_about);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(page.zqBtn1->PictureList().Count(), 14);
    EXPECT_EQ(page.zqBtn1->PictureIndex(), 13);
    testing_support::save_screenshot(form->Handle(), "about-page-in-process");
    std::vector<int> shown;
    for (int tick = 0; tick < 15; ++tick) {
        timer.OnTimer(&timer);
        shown.push_back(page.zqBtn1->PictureIndex());
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0}));
    // And the timer itself moves it on.
    EXPECT_TRUE(testing_support::pump_until([&] { return page.zqBtn1->PictureIndex() == 1; }, 1500));

    select_page(form->TabSheet_settings);
    EXPECT_FALSE(timer.Enabled());
    const int reached = page.zqBtn1->PictureIndex();
    testing_support::pump_messages(700);
    EXPECT_EQ(page.zqBtn1->PictureIndex(), reached);

    select_page(form->TabSheet_about);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(page.zqBtn1->PictureList().Count(), 14);
    EXPECT_TRUE(testing_support::pump_until([&] { return page.zqBtn1->PictureIndex() == reached + 1; }, 1500));
}

}  // namespace
}  // namespace vistrel::app
