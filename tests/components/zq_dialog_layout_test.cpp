#include "components/zq_dialog_layout.h"

#include <gtest/gtest.h>

namespace vistrel::dialog {
namespace {

TEST(ButtonFaces, StandardSetsPutTheRightMostButtonFirst) {
    struct Case {
        unsigned type;
        std::array<const wchar_t*, 4> captions;
        std::array<int, 4> ids;
    };
    const Case cases[] = {
        {0, {L"确定", L"", L"", L""}, {1, 0, 0, 0}},         {49, {L"取消", L"确定", L"", L""}, {2, 1, 0, 0}},
        {2, {L"忽略", L"重试", L"终止", L""}, {5, 4, 3, 0}}, {3, {L"取消", L"否", L"是", L""}, {2, 7, 6, 0}},
        {4, {L"否", L"是", L"", L""}, {7, 6, 0, 0}},         {0x105, {L"取消", L"重试", L"", L""}, {2, 4, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        const auto faces = button_faces(c.type, {});
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(faces[i].caption, c.captions[i]);
            if (!faces[i].caption.empty()) {
                EXPECT_EQ(faces[i].id, c.ids[i]);
            }
        }
    }
}

TEST(ButtonFaces, CustomSetsReturnTheirIndex) {
    for (const unsigned set : {6u, 10u, 15u}) {
        SCOPED_TRACE(set);
        const auto faces = button_faces(set, {L"d", L"", L"b", L"a"});
        const std::array<std::wstring, 4> captions = {L"d", L"", L"b", L"a"};
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(faces[i].caption, captions[i]);
            EXPECT_EQ(faces[i].id, static_cast<int>(i));
        }
    }
}

TEST(Layout, CreationOrderCountsDownFromTheDefaultIndex) {
    EXPECT_EQ(creation_order(0x000), (std::array<int, 4>{0, 3, 2, 1}));
    EXPECT_EQ(creation_order(0x130), (std::array<int, 4>{1, 0, 3, 2}));
    EXPECT_EQ(creation_order(0x300), (std::array<int, 4>{3, 2, 1, 0}));
    EXPECT_EQ(icon_number(49), 3);
    EXPECT_EQ(icon_number(0x1F4), 15);
    EXPECT_EQ(button_set(49), 1u);
    EXPECT_EQ(button_set(0x30 | kCustomButtons), 15u);
    EXPECT_EQ(default_button(0x130), 1);
    EXPECT_EQ(default_button(0x1F4), 1);
}

TEST(Layout, MessageSizeAroundTheText) {
    struct Case {
        const char* name;
        Size text;
        int icon;
        Size minimum;
        bool fourth;
        Size size;
    };
    const Case cases[] = {
        {"text with icon", {300, 12}, 70, {255, 100}, false, {390, 112}},
        {"short text takes the minimum width", {40, 12}, 70, {255, 100}, false, {255, 112}},
        {"no icon column", {300, 24}, 0, {255, 100}, false, {320, 124}},
        {"four buttons need 300", {100, 12}, 70, {255, 100}, true, {300, 112}},
        {"four buttons beside a wide text", {400, 12}, 70, {255, 100}, true, {490, 112}},
        {"minimum height", {300, 0}, 70, {255, 120}, false, {390, 120}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(message_size(c.text, c.icon, c.minimum, c.fourth), c.size);
    }
}

TEST(Layout, DialogsFitTheWorkArea) {
    EXPECT_EQ(widest_text(1280, 70), 1190);
    EXPECT_EQ(widest_text(1280, 0), 1260);
    // Text of the widest width makes a dialog exactly as wide as the work area.
    EXPECT_EQ(message_size({widest_text(1280, 70), 48}, 70, {255, 100}, false).width, 1280);
    EXPECT_EQ(fit_to({1820, 112}, {1280, 770}), (Size{1280, 112}));
    EXPECT_EQ(fit_to({390, 900}, {1280, 770}), (Size{390, 770}));
    EXPECT_EQ(fit_to({390, 112}, {1280, 770}), (Size{390, 112}));
}

TEST(Layout, TextPlacement) {
    EXPECT_EQ(text_left(390, 300, 70), 70);  // never over the icon
    EXPECT_EQ(text_left(255, 100, 0), 77);   // centred without one
    EXPECT_EQ(text_left(255, 100, 70), 77);
    EXPECT_EQ(text_top(112 - 40, 30, 12), 45);  // 45 below the top when nothing limits the height
    EXPECT_EQ(text_top(100 - 40, 30, 60), 15);
}

}  // namespace
}  // namespace vistrel::dialog
