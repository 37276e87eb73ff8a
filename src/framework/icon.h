#pragma once

#include <string>

#include "framework/graphic.h"
#include "win32/unique_handle.h"

namespace vistrel {

/// An icon; always drawn with its own mask.
class TIcon : public TGraphic {
public:
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Draw(TCanvas& canvas, const RECT& rect) override;
    std::unique_ptr<TGraphic> Clone() const override;

    HICON Handle() const { return handle_.get(); }
    /// Takes ownership of an icon handle.
    void SetHandle(HICON icon);
    /// Loads an icon resource by name at the given size (0 for the system's large icon size).
    bool LoadFromResourceName(HINSTANCE instance, const std::wstring& name, int size = 0);

private:
    UniqueHicon handle_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace vistrel
