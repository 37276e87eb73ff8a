#pragma once

#include "framework/bitmap.h"
#include "framework/component.h"
#include "framework/icon.h"
#include "win32/unique_handle.h"

namespace vistrel {

/// A list of same-sized images with masks (the system image list), made when the first image goes in.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);

    int Width() const { return width_; }
    int Height() const { return height_; }
    /// The size of every image; changing it empties the list.
    void SetSize(int width, int height);
    int Count() const;

    /// Appends an icon (scaled to the list's size); returns its index.
    int AddIcon(const TIcon& icon);
    /// Puts an icon in front of the image at `index` (or at the end).
    void InsertIcon(int index, const TIcon& icon);
    /// Appends a bitmap whose bottom-left colour is transparent; returns its index.
    int AddMasked(const TBitmap& bitmap);
    void Delete(int index);
    void Clear();
    /// Copies image `index` into `icon`; false (and `icon` unchanged) when there is no such image.
    bool GetIcon(int index, TIcon& icon) const;
    void Draw(TCanvas& canvas, int x, int y, int index) const;

    HIMAGELIST Handle();

    TNotifyEvent OnChange;

private:
    void changed();

    int width_ = 16;
    int height_ = 16;
    UniqueHimagelist handle_;
};

}  // namespace vistrel
