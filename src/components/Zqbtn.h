#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "components/offset_text.h"
#include "components/picture_button_layout.h"
#include "framework/graphic_control.h"
#include "framework/label.h"  // TAlignment
#include "framework/picture.h"

namespace vistrel {

class TzqBtn;
class TPictureList;

/// How a picture button chooses its picture by itself from the mouse.
class TPictureOpt : public TObject {
public:
    explicit TPictureOpt(TzqBtn& button) : button_(button) {}

    /// Copies every setting of another option group.
    void Assign(const TPictureOpt& source);

    bool AutoSwitch() const { return auto_switch_; }
    void SetAutoSwitch(bool value);
    /// Picture of a mouse state while AutoSwitch is on (-1 for none).
    int PictureIndex(TMouseState state) const { return indices_[state]; }
    void SetPictureIndex(TMouseState state, int index);
    int MouseLeavePictureIndex() const { return indices_[msLeave]; }
    int MouseEnterPictureIndex() const { return indices_[msEnter]; }
    int MouseDownPictureIndex() const { return indices_[msDown]; }
    void SetMouseLeavePictureIndex(int index) { SetPictureIndex(msLeave, index); }
    void SetMouseEnterPictureIndex(int index) { SetPictureIndex(msEnter, index); }
    void SetMouseDownPictureIndex(int index) { SetPictureIndex(msDown, index); }
    /// Every release of the left button toggles Checked.
    bool AutoCheck = false;

private:
    TzqBtn& button_;
    bool auto_switch_ = false;
    std::array<int, 3> indices_{-1, -1, -1};
};

/// One picture of a picture button, with how it is placed.
class TPictureListItem : public TObject {
public:
    explicit TPictureListItem(TPictureList& list);

    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }
    void setPicture(const TPicture& picture) { picture_.Assign(picture); }
    bool Transparent() const { return transparent_; }
    void setTransparent(bool transparent);
    TDisplayMode DispMode() const { return disp_mode_; }
    void setDisplayMode(TDisplayMode mode);
    const RegionOffset& Offset() const { return offset_; }
    void SetRegionOffset(TOffsetPoint side, int value);
    /// The offset as text, "(left,top,right,bottom)".
    std::wstring GetOffsetByString() const { return offset_text(offset_); }
    /// Reads an offset text; a malformed one shows "Rect(X1,Y1,X2,Y2) format erro!" and keeps the offset.
    void SetOffsetByString(const std::wstring& text);
    int Index() const;
    /// Moves the item to another place in the list.
    void SetIndex(int index);
    /// Draws the picture into `rect` of a canvas as the display mode and offset say.
    void RefreshPicture(TCanvas& canvas, const RECT& rect);
    /// Where the picture went the last time it was drawn.
    const RECT& DestRect() const { return dest_rect_; }

private:
    void DoChange();

    TPictureList& list_;
    TPicture picture_;
    bool transparent_ = false;
    TDisplayMode disp_mode_ = dmCenter;
    RegionOffset offset_;
    RECT dest_rect_{};
};

/// The pictures of a picture button, in order.
class TPictureList {
public:
    explicit TPictureList(TzqBtn& button) : button_(button) {}
    TPictureList(const TPictureList&) = delete;
    TPictureList& operator=(const TPictureList&) = delete;

    TzqBtn& GetOwner() const { return button_; }
    TPictureListItem& Add();
    int Count() const { return static_cast<int>(items_.size()); }
    /// The item at an index; an index outside the list throws std::out_of_range.
    TPictureListItem& Items(int index) const { return *items_[checked_index(index)]; }
    /// Removes the item at an index; an index outside the list throws std::out_of_range.
    void Delete(int index);
    void Clear();
    /// Makes this list a copy of another: pictures and their settings.
    void Assign(const TPictureList& source);
    int IndexOf(const TPictureListItem& item) const;
    void Move(int from, int to);

private:
    std::size_t checked_index(int index) const;
    void Update();

    TzqBtn& button_;
    std::vector<std::unique_ptr<TPictureListItem>> items_;
};

/// A windowless button showing one picture of a list, a caption, an optional check mark and a border that
/// follows the mouse.
class TzqBtn : public TGraphicControl {
public:
    explicit TzqBtn(TComponent* owner);
    ~TzqBtn() override;

    TPictureOpt& PictureOpt() { return *picture_opt_; }
    void setPictureOpt(const TPictureOpt& options) { picture_opt_->Assign(options); }
    TPictureList& PictureList() { return *picture_list_; }
    void setPictureList(const TPictureList& list) { picture_list_->Assign(list); }
    TzqBorderStyle BorderStyle() const { return border_style_; }
    void setBorderStyle(TzqBorderStyle style);
    bool Transparent() const { return transparent_; }
    void setTransparent(bool transparent);
    int PictureIndex() const { return picture_index_; }
    /// Shows another picture (ignored while AutoSwitch is on); an index outside the list shows none.
    void setCurrentPictureIndex(int index);
    bool Checked() const { return checked_; }
    void setCheckState(bool checked);
    TCheckStyle CheckStyle() const { return check_style_; }
    void setCheckStyle(TCheckStyle style);
    TAlignment Alignment() const { return alignment_; }
    void setAlignment(TAlignment alignment);
    bool AutoSize() const { return auto_size_; }
    void setAutoSize(bool auto_size);
    int CheckBoxSize() const { return check_box_size_; }
    void setCheckBoxSize(int size);

    TMouseState MouseState() const { return mouse_state_; }
    /// The relief the border shows now.
    Bevel CurrentBevel() const { return bevel_; }
    /// Recomputes picture and relief from the mouse state and repaints when either changed.
    void UpdateButton();
    /// Forgets that the mouse is over the button, without raising OnMouseLeave.
    void SimulateMouseLeave();
    /// The picture of the current item for editing; adds a first (transparent) item to an empty list.
    TPicture& GetPicture();
    /// Draws the check mark of the current style in a square.
    void Draw_CheckBox(const RECT& square);

    void MouseEnter() override;
    void MouseLeave() override;
    bool WantsMouseLeave() const override { return true; }  // picture and relief follow the mouse
    void mouse_message(UINT message, TShiftState shift, int x, int y) override;

    TNotifyEvent OnDbClick;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void TextChanged() override;

private:
    void left_button_up();
    void draw_caption(const std::wstring& caption, PixelPoint at);
    void draw_border(RECT rect);
    void draw_diamond(const RECT& square);
    void draw_traffic_light(const RECT& square);
    bool reacts_to_buttons() const { return picture_opt_->AutoSwitch() || border_style_ != cbsNone; }

    std::unique_ptr<TPictureOpt> picture_opt_;
    std::unique_ptr<TPictureList> picture_list_;
    TzqBorderStyle border_style_ = cbsSingle;
    bool transparent_ = false;
    int picture_index_ = -1;
    bool checked_ = false;
    TCheckStyle check_style_ = csNone;
    TAlignment alignment_ = taCenter;
    bool auto_size_ = false;
    int check_box_size_ = 13;
    TMouseState mouse_state_ = msLeave;
    Bevel bevel_ = bevel_for(cbsSingle, msLeave);
    std::wstring caption_text_;
};

}  // namespace vistrel
