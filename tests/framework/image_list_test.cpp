#include "framework/image_list.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vistrel {
namespace {

using testing_support::color_text;
using testing_support::Surface;

COLORREF icon_colour(const TIcon& icon) {
    Surface surface(16, 16, RGB(0, 0, 0));
    DrawIconEx(surface.dc(), 0, 0, icon.Handle(), 16, 16, 0, nullptr, DI_NORMAL);
    return surface.pixel(8, 8);
}

void add(TImageList& list, COLORREF colour) {
    TIcon icon;
    icon.SetHandle(testing_support::solid_icon(colour));
    list.AddIcon(icon);
}

TEST(ImageList, AnInsertedIconGoesInFrontOfTheOthers) {
    TImageList list(nullptr);
    EXPECT_EQ(list.Count(), 0);
    add(list, RGB(255, 0, 0));
    add(list, RGB(0, 255, 0));
    TIcon blue;
    blue.SetHandle(testing_support::solid_icon(RGB(0, 0, 255), 32));  // scaled to the list's size
    list.InsertIcon(0, blue);
    ASSERT_EQ(list.Count(), 3);
    const COLORREF order[] = {RGB(0, 0, 255), RGB(255, 0, 0), RGB(0, 255, 0)};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        TIcon icon;
        ASSERT_TRUE(list.GetIcon(i, icon));
        EXPECT_EQ(icon.Width(), 16);
        EXPECT_EQ(color_text(icon_colour(icon)), color_text(order[i]));
    }
    TIcon kept;
    kept.SetHandle(testing_support::solid_icon(RGB(9, 9, 9)));
    EXPECT_FALSE(list.GetIcon(3, kept));
    EXPECT_FALSE(list.GetIcon(-1, kept));
    EXPECT_EQ(color_text(icon_colour(kept)), color_text(RGB(9, 9, 9)));
}

TEST(ImageList, AMaskedBitmapIsTransparentWhereItsBottomLeftColourIs) {
    TBitmap bitmap;
    bitmap.SetSize(16, 16);
    const UniqueHbrush blue(CreateSolidBrush(RGB(0, 0, 200)));
    const RECT all{0, 0, 16, 16};
    FillRect(bitmap.Canvas().Handle(), &all, blue.get());
    SetPixel(bitmap.Canvas().Handle(), 0, 15, RGB(255, 0, 255));
    SetPixel(bitmap.Canvas().Handle(), 5, 5, RGB(255, 0, 255));
    TImageList list(nullptr);
    EXPECT_EQ(list.AddMasked(bitmap), 0);
    Surface surface(16, 16, RGB(255, 255, 0));
    list.Draw(surface.canvas(), 0, 0, 0);
    EXPECT_EQ(color_text(surface.pixel(8, 8)), color_text(RGB(0, 0, 200)));
    EXPECT_EQ(color_text(surface.pixel(5, 5)), color_text(RGB(255, 255, 0)));
    EXPECT_EQ(color_text(surface.pixel(0, 15)), color_text(RGB(255, 255, 0)));
    EXPECT_EQ(color_text(GetPixel(bitmap.Canvas().Handle(), 5, 5)), color_text(RGB(255, 0, 255)));  // untouched
}

TEST(ImageList, ChangesAreAnnouncedAndANewSizeEmptiesTheList) {
    TImageList list(nullptr);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    add(list, RGB(1, 2, 3));
    add(list, RGB(4, 5, 6));
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    list.SetSize(32, 32);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(changes, 4);
}

}  // namespace
}  // namespace vistrel
