#include "components/Zqpagecontrol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/form.h"
#include "framework/program_style.h"
#include "test_support.h"

namespace vistrel {
namespace {

using testing_support::Surface;

// Keeps the rectangle each tab was drawn into.
class RecordingPageControl : public TzqPageControl {
public:
    using TzqPageControl::TzqPageControl;
    std::vector<std::pair<int, RECT>> drawn;

protected:
    void DrawTab(int tab_index, const RECT& rect, bool active) override {
        drawn.emplace_back(tab_index, rect);
        TzqPageControl::DrawTab(tab_index, rect, active);
    }
};

class PageControlTest : public testing::Test {
protected:
    void SetUp() override {
        testing_support::park_pointer();
        form.SetBorderStyle(bsNone);
        form.SetColor(kProgramGrey);
        form.Font().SetName(L"宋体");
        form.Font().SetHeight(-12);
        form.SetBounds(60, 60, 470, 314);
        pages = new RecordingPageControl(&form);
        pages->SetParent(&form);
        pages->SetBounds(0, 0, 470, 314);
        pages->SetColor(kProgramGrey);
        pages->SetOwnerDraw(true);
        for (const wchar_t* caption : {L"休息时间表", L"testing", L"定时任务表", L"高级设置", L"关于..."}) {
            auto* sheet = new TTabSheet(&form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
        }
        pages->Pages(1)->SetTabVisible(false);
    }

    // The rectangle tab `tab` was last drawn into.
    RECT drawn_rect(int tab) const {
        const auto it =
            std::find_if(pages->drawn.rbegin(), pages->drawn.rend(), [tab](const auto& d) { return d.first == tab; });
        EXPECT_NE(it, pages->drawn.rend()) << "tab " << tab << " was never drawn";
        return it != pages->drawn.rend() ? it->second : RECT{};
    }

    // The tab as the screen shows it, against the caption drawn centred on the control's colour by hand, on the
    // face inside the tab's frame (the frame's width from its sides and from its outer edge).
    void expect_tab_shows(int tab, const std::wstring& caption) {
        const RECT r = drawn_rect(tab);
        const int w = r.right - r.left;
        const int h = r.bottom - r.top;
        Surface screen(w, h);
        const POINT origin = pages->ClientToScreen({r.left, r.top});
        screen.grab_screen(origin.x, origin.y);
        Surface expected(w, h, RGB(223, 223, 223));
        TCanvas& canvas = expected.canvas();
        canvas.Font().Assign(pages->Pages(0)->Font());
        canvas.Brush().SetColor(kProgramGrey);
        const SIZE extent = canvas.TextExtent(caption);
        canvas.TextOut((w - extent.cx) / 2, (h - extent.cy) / 2, caption);
        const int edge_x = GetSystemMetrics(SM_CXEDGE);
        const int edge_y = GetSystemMetrics(SM_CYEDGE);
        const bool bottom = pages->TabPosition() == tpBottom;
        int differing = 0;
        for (int y = bottom ? 0 : edge_y; y < (bottom ? h - edge_y : h); ++y) {
            for (int x = edge_x; x < w - edge_x; ++x) {
                differing += screen.pixel(x, y) != expected.pixel(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0) << "tab " << tab << " does not show " << testing::PrintToString(caption);
    }

    TForm form{nullptr};
    RecordingPageControl* pages = nullptr;
};

TEST_F(PageControlTest, TabsShowTheCaptionsOfThePagesWithVisibleTabs) {
    form.Show();
    form.Update();
    testing_support::pump_messages(100);
    ASSERT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 4);
    expect_tab_shows(1, L"定时任务表");  // the hidden page is skipped
    expect_tab_shows(3, L"关于...");
}

TEST_F(PageControlTest, TabsAtTheBottomArePaintedTheSameWay) {
    pages->SetTabPosition(tpBottom);
    form.Show();
    form.Update();
    testing_support::pump_messages(100);
    const RECT display = pages->DisplayRect();
    const RECT tab = pages->TabRect(1);
    EXPECT_GE(tab.top, display.bottom);
    expect_tab_shows(1, L"定时任务表");
    expect_tab_shows(2, L"高级设置");
}

// Every tab at the bottom, the selected one too, keeps the frame the system draws along its lower edge: the face is
// painted inside it, so the selected tab reads as a tab and not as loose text beside the framed ones.
TEST_F(PageControlTest, TabsAtTheBottomKeepTheirFrameBelowTheCaption) {
    pages->SetTabPosition(tpBottom);
    form.Show();
    form.Update();
    testing_support::pump_messages(100);
    ASSERT_EQ(pages->ActivePage(), pages->Pages(0));
    for (int tab = 0; tab < 4; ++tab) {
        SCOPED_TRACE(tab == 0 ? "the selected tab" : "tab " + std::to_string(tab));
        const RECT r = drawn_rect(tab);
        // Below the caption, down the middle of the tab to the end of the rectangle it was drawn into.
        const int x = (r.left + r.right) / 2;
        const int from = (r.top + r.bottom) / 2 + 7;
        const int to = r.bottom;
        Surface column(1, to - from);
        const POINT origin = pages->ClientToScreen({x, from});
        column.grab_screen(origin.x, origin.y);
        bool frame = false;
        for (int y = 0; y < column.height(); ++y) {
            const COLORREF p = column.pixel(0, y);
            frame = frame || GetRValue(p) + GetGValue(p) + GetBValue(p) < 3 * 160;  // the edge's shadow
        }
        EXPECT_TRUE(frame) << "no frame below the caption";
    }
}

TEST_F(PageControlTest, TheDrawEventReplacesTheSecondFillAndTheCaptionStillFollows) {
    std::vector<int> events;
    pages->OnDrawTab = [&](TObject* sender, int tab, const RECT&, bool) {
        EXPECT_EQ(sender, pages);
        events.push_back(tab);
    };
    form.Show();
    form.Update();
    testing_support::pump_messages(100);
    EXPECT_FALSE(events.empty());
    expect_tab_shows(2, L"高级设置");
}

// The main window's two page controls: tabs on top, and on the first page tabs at the bottom.
TEST(PageControlScreenshot, TabsOnTopAndAtTheBottom) {
    testing_support::park_pointer();
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetColor(kProgramGrey);
    form.Font().SetName(L"宋体");
    form.Font().SetHeight(-12);
    form.SetBounds(30, 30, 496, 340);
    auto* main = new TzqPageControl(&form);
    main->SetParent(&form);
    main->SetBounds(13, 13, 470, 314);
    main->SetColor(kProgramGrey);
    main->SetOwnerDraw(true);
    std::vector<TTabSheet*> sheets;
    for (const wchar_t* caption : {L"休息时间表", L"定时任务表", L"高级设置", L"关于...", L"testing"}) {
        auto* sheet = new TTabSheet(&form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(main);
        sheets.push_back(sheet);
    }
    sheets.back()->SetTabVisible(false);
    auto* timer = new TzqPageControl(&form);
    timer->SetParent(sheets[0]);
    timer->SetBounds(6, 7, 450, 66);
    timer->SetColor(kProgramGrey);
    timer->SetOwnerDraw(true);
    timer->SetTabPosition(tpBottom);
    for (const wchar_t* caption : {L"标准", L"定制"}) {
        auto* sheet = new TTabSheet(&form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(timer);
    }
    form.Show();
    form.Update();
    testing_support::pump_messages(200);
    testing_support::save_screenshot(form.Handle(), "page_control");
    EXPECT_EQ(SendMessageW(main->Handle(), TCM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageW(timer->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
}

}  // namespace
}  // namespace vistrel
