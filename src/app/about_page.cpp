#include "app/about_page.h"

#include <string>

#include "app/about_text.h"
#include "app/form_style.h"
#include "framework/bitmap.h"

namespace vistrel::app {
namespace {

constexpr int kAnimationPictures = 14;

struct NoticeField {
    const wchar_t* name;
    const wchar_t* value;
};

// The rights notice, two columns of four fields.
constexpr NoticeField kLeftColumn[] = {
    {L"软件名称", L"Vistrel"},
    {L"软件版本", L"Ver 1.0"},
    {L"软件类型", L"免费软件"},
    {L"发布时间", L"2026-12"},
};
constexpr NoticeField kRightColumn[] = {
    {L"版权所有", L"Tarnwick"},
    {L"网站地址", L"www.tarnwick.example"},
    {L"电子邮箱", L"mail@tarnwick.example"},
    {L"即时通讯", L"暂无"},
};

}  // namespace

AboutPage::AboutPage(TComponent& owner, TTabSheet& sheet, TPageControl& pages, TTimer& animation)
    : owner_(owner), sheet_(sheet), pages_(pages), animation_(animation) {
    create_copyright_group(sheet);
    create_animation_button();
    create_description(sheet);
    pages.OnChange = [this](TObject* sender) { zqPageControl_mainChange(sender); };
    animation.OnTimer = [this](TObject* sender) { Timer_animateTimer(sender); };
}

void AboutPage::create_copyright_group(TTabSheet& sheet) {
    GroupBox_copyright = new TGroupBox(&owner_);
    GroupBox_copyright->SetParent(&sheet);
    GroupBox_copyright->SetCaption(L"版权声明");
    GroupBox_copyright->SetBounds(8, 5, 446, 99);
    // The right column ends before the picture button at 355.
    for (auto [column, left] : {std::pair{kLeftColumn, 14}, std::pair{kRightColumn, 150}}) {
        int top = 22;
        for (int row = 0; row < 4; ++row) {
            add_label(owner_, *GroupBox_copyright, std::wstring(column[row].name) + L"：　" + column[row].value, left,
                      top);
            top += 18;
        }
    }
}

void AboutPage::create_animation_button() {
    zqBtn1 = new TzqBtn(&owner_);
    zqBtn1->SetParent(GroupBox_copyright);
    zqBtn1->SetBounds(355, 7, 88, 65);
    zqBtn1->setBorderStyle(cbsNone);
    zqBtn1->setTransparent(true);
}

void AboutPage::load_animation() {
    if (zqBtn1->PictureList().Count() > 0) {
        return;
    }
    for (int i = 0; i < kAnimationPictures; ++i) {
        TBitmap picture;
        picture.LoadFromResourceName(GetModuleHandleW(nullptr), L"ABOUTANI" + std::to_wstring(i));
        TPictureListItem& item = zqBtn1->PictureList().Add();
        item.Picture().SetGraphic(&picture);
        item.setTransparent(true);
    }
    zqBtn1->setCurrentPictureIndex(kAnimationPictures - 1);
}

void AboutPage::create_description(TTabSheet& sheet) {
    GroupBox_about = new TGroupBox(&owner_);
    GroupBox_about->SetParent(&sheet);
    GroupBox_about->SetCaption(L"简要说明");
    GroupBox_about->SetBounds(7, 115, 447, 163);
    Memo_Tell_About = new TMemo(&owner_);
    Memo_Tell_About->SetParent(GroupBox_about);
    Memo_Tell_About->SetBounds(8, 18, 431, 137);
    Memo_Tell_About->SetReadOnly(true);
    Memo_Tell_About->SetScrollBars(ssVertical);
    Memo_Tell_About->SetColor(kProgramGrey);
    Memo_Tell_About->SetText(kAboutDescription);
}

void AboutPage::zqPageControl_mainChange(TObject*) {
    const bool shown = pages_.ActivePage() == &sheet_;
    if (shown) {
        load_animation();
    }
    animation_.SetEnabled(shown);
}

void AboutPage::Timer_animateTimer(TObject*) {
    const int index = zqBtn1->PictureIndex();
    zqBtn1->setCurrentPictureIndex(index > kAnimationPictures - 2 ? 0 : index + 1);
}

}  // namespace vistrel::app
