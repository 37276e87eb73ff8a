#include "components/Zqbtn.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "components/color_shade.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/program_style.h"

namespace vistrel {
namespace {

RECT to_rect(const PixelRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

PixelRect to_pixel_rect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

CaptionAlignment caption_alignment(TAlignment alignment) {
    switch (alignment) {
        case taLeftJustify:
            return CaptionAlignment::left;
        case taRightJustify:
            return CaptionAlignment::right;
        case taCenter:
            break;
    }
    return CaptionAlignment::center;
}

// Puts a canvas's brush back as it was once a check mark is drawn.
class BrushKept {
public:
    explicit BrushKept(TCanvas& canvas)
        : canvas_(canvas), color_(canvas.Brush().Color()), style_(canvas.Brush().Style()) {}
    BrushKept(const BrushKept&) = delete;
    BrushKept& operator=(const BrushKept&) = delete;
    ~BrushKept() {
        canvas_.Brush().SetColor(color_);
        canvas_.Brush().SetStyle(style_);
    }
    TColor color() const { return color_; }

private:
    TCanvas& canvas_;
    TColor color_;
    TBrushStyle style_;
};

void polyline(TCanvas& canvas, std::initializer_list<PixelPoint> points) {
    bool first = true;
    for (const PixelPoint& p : points) {
        if (first) {
            canvas.MoveTo(p.x, p.y);
            first = false;
        } else {
            canvas.LineTo(p.x, p.y);
        }
    }
}

}  // namespace

void TPictureOpt::Assign(const TPictureOpt& source) {
    auto_switch_ = source.auto_switch_;
    indices_ = source.indices_;
    AutoCheck = source.AutoCheck;
    button_.UpdateButton();
}

void TPictureOpt::SetAutoSwitch(bool value) {
    if (value != auto_switch_) {
        auto_switch_ = value;
        button_.UpdateButton();
    }
}

void TPictureOpt::SetPictureIndex(TMouseState state, int index) {
    if (index != indices_[state]) {
        indices_[state] = index;
        button_.UpdateButton();
    }
}

TPictureListItem::TPictureListItem(TPictureList& list) : list_(list) {
    picture_.OnChange = [this](TObject*) { DoChange(); };
}

void TPictureListItem::setTransparent(bool transparent) {
    if (transparent != transparent_) {
        transparent_ = transparent;
        DoChange();
    }
}

void TPictureListItem::setDisplayMode(TDisplayMode mode) {
    if (mode != disp_mode_) {
        disp_mode_ = mode;
        DoChange();
    }
}

void TPictureListItem::SetRegionOffset(TOffsetPoint side, int value) {
    int& field = side == opLeft    ? offset_.left
                 : side == opTop   ? offset_.top
                 : side == opRight ? offset_.right
                                   : offset_.bottom;
    if (value != field) {
        field = value;
        DoChange();
    }
}

void TPictureListItem::SetOffsetByString(const std::wstring& text) {
    const std::optional<RegionOffset> offset = parse_offset_text(text);
    if (!offset) {
        TForm* form = list_.GetOwner().GetParentForm();
        HWND owner = form != nullptr && form->HandleAllocated() ? form->Handle() : Application().Handle();
        MessageBoxW(owner, std::wstring(kOffsetFormatError).c_str(), Application().Title().c_str(), MB_OK);
        return;
    }
    if (*offset != offset_) {
        offset_ = *offset;
        DoChange();
    }
}

int TPictureListItem::Index() const {
    return list_.IndexOf(*this);
}

void TPictureListItem::SetIndex(int index) {
    list_.Move(Index(), index);
}

void TPictureListItem::DoChange() {
    TzqBtn& button = list_.GetOwner();
    if (button.PictureIndex() == Index()) {
        button.Invalidate();
    }
}

void TPictureListItem::RefreshPicture(TCanvas& canvas, const RECT& rect) {
    TGraphic* graphic = picture_.Graphic();
    if (graphic == nullptr || graphic->Width() == 0 || graphic->Height() == 0) {
        return;
    }
    graphic->SetTransparent(transparent_);
    const PixelRect area = offset_rect(to_pixel_rect(rect), offset_);
    const std::vector<PixelRect> destinations =
        picture_destinations(disp_mode_, area, graphic->Width(), graphic->Height());
    for (const PixelRect& destination : destinations) {
        canvas.StretchDraw(to_rect(destination), *graphic);
    }
    dest_rect_ = to_rect(disp_mode_ == dmTile ? area : destinations.front());
}

TPictureListItem& TPictureList::Add() {
    items_.push_back(std::make_unique<TPictureListItem>(*this));
    Update();
    return *items_.back();
}

std::size_t TPictureList::checked_index(int index) const {
    if (index < 0 || index >= Count()) {
        throw std::out_of_range("Picture list index out of bounds (" + std::to_string(index) + ")");
    }
    return static_cast<std::size_t>(index);
}

void TPictureList::Delete(int index) {
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(checked_index(index)));
    Update();
}

void TPictureList::Clear() {
    items_.clear();
    Update();
}

void TPictureList::Assign(const TPictureList& source) {
    if (&source == this) {
        return;
    }
    items_.clear();
    for (int i = 0; i < source.Count(); ++i) {
        const TPictureListItem& from = source.Items(i);
        auto item = std::make_unique<TPictureListItem>(*this);
        item->setPicture(from.Picture());
        item->setTransparent(from.Transparent());
        item->setDisplayMode(from.DispMode());
        item->SetOffsetByString(from.GetOffsetByString());
        items_.push_back(std::move(item));
    }
    Update();
}

int TPictureList::IndexOf(const TPictureListItem& item) const {
    const auto it = std::find_if(items_.begin(), items_.end(), [&](const auto& p) { return p.get() == &item; });
    return it != items_.end() ? static_cast<int>(it - items_.begin()) : -1;
}

void TPictureList::Move(int from, int to) {
    to = std::clamp(to, 0, Count() - 1);
    if (from < 0 || from >= Count() || from == to) {
        return;
    }
    auto item = std::move(items_[static_cast<std::size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
    Update();
}

void TPictureList::Update() {
    button_.UpdateButton();
    button_.Invalidate();
}

TzqBtn::TzqBtn(TComponent* owner)
    : TGraphicControl(owner),
      picture_opt_(std::make_unique<TPictureOpt>(*this)),
      picture_list_(std::make_unique<TPictureList>(*this)) {
    SetBounds(Left(), Top(), 75, 25);
    SetColor(kProgramGrey);
}

TzqBtn::~TzqBtn() = default;

void TzqBtn::setBorderStyle(TzqBorderStyle style) {
    if (style != border_style_) {
        border_style_ = style;
        UpdateButton();
    }
}

void TzqBtn::setTransparent(bool transparent) {
    if (transparent != transparent_) {
        transparent_ = transparent;
        Invalidate();
    }
}

void TzqBtn::setCurrentPictureIndex(int index) {
    if (picture_opt_->AutoSwitch() || index == picture_index_) {
        return;
    }
    picture_index_ = index;
    Invalidate();
}

void TzqBtn::setCheckState(bool checked) {
    if (checked == checked_) {
        return;
    }
    checked_ = checked;
    // Painting a checked button sinks its border; unchecked, it shows the relief of the mouse state again.
    if (!checked) {
        bevel_ = bevel_for(border_style_, mouse_state_);
    }
    Invalidate();
}

void TzqBtn::setCheckStyle(TCheckStyle style) {
    if (style != check_style_) {
        check_style_ = style;
        Invalidate();
    }
}

void TzqBtn::setAlignment(TAlignment alignment) {
    if (alignment != alignment_) {
        alignment_ = alignment;
        Invalidate();
    }
}

void TzqBtn::setAutoSize(bool auto_size) {
    if (auto_size != auto_size_) {
        auto_size_ = auto_size;
        Invalidate();
    }
}

void TzqBtn::setCheckBoxSize(int size) {
    if (size != check_box_size_) {
        check_box_size_ = size;
        Invalidate();
    }
}

void TzqBtn::UpdateButton() {
    const Bevel bevel = bevel_for(border_style_, mouse_state_);
    const int picture = picture_opt_->AutoSwitch() ? picture_opt_->PictureIndex(mouse_state_) : picture_index_;
    if (bevel == bevel_ && picture == picture_index_) {
        return;
    }
    bevel_ = bevel;
    picture_index_ = picture;
    Invalidate();
}

void TzqBtn::SimulateMouseLeave() {
    mouse_state_ = msLeave;
    UpdateButton();
}

TPicture& TzqBtn::GetPicture() {
    if (picture_list_->Count() == 0) {
        picture_list_->Add().setTransparent(true);
    }
    const int index = picture_index_ >= 0 && picture_index_ < picture_list_->Count() ? picture_index_ : 0;
    setCurrentPictureIndex(index);
    return picture_list_->Items(index).Picture();
}

void TzqBtn::MouseEnter() {
    mouse_state_ = msEnter;
    if (!Enabled()) {
        return;
    }
    if (border_style_ == cbsFlat || picture_opt_->AutoSwitch()) {
        UpdateButton();
    }
    TGraphicControl::MouseEnter();
}

void TzqBtn::MouseLeave() {
    mouse_state_ = msLeave;
    if (!Enabled()) {
        return;
    }
    if (border_style_ == cbsFlat || picture_opt_->AutoSwitch()) {
        UpdateButton();
    }
    TGraphicControl::MouseLeave();
}

void TzqBtn::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    mouse_state_ = msDown;
    if (reacts_to_buttons()) {
        UpdateButton();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TzqBtn::mouse_message(UINT message, TShiftState shift, int x, int y) {
    // The button's own state changes first, so that OnClick already sees the toggled Checked.
    if (message == WM_LBUTTONUP) {
        left_button_up();
    }
    TGraphicControl::mouse_message(message, shift, x, y);
}

void TzqBtn::left_button_up() {
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT p = ScreenToClient(cursor);
    const bool inside = p.x >= 0 && p.y >= 0 && p.x <= Width() && p.y <= Height();
    mouse_state_ = inside ? msEnter : msLeave;
    if (reacts_to_buttons()) {
        UpdateButton();
    }
    if (picture_opt_->AutoCheck) {
        checked_ = !checked_;
        Invalidate();
    }
}

void TzqBtn::DblClick() {
    TGraphicControl::DblClick();
    if (OnDbClick) {
        OnDbClick(this);
    }
}

void TzqBtn::TextChanged() {
    caption_text_ = Caption();
    TGraphicControl::TextChanged();
}

void TzqBtn::Paint() {
    TCanvas& canvas = Canvas();
    if (!transparent_) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(ClientRect());
    }
    if (picture_index_ >= 0 && picture_index_ < picture_list_->Count()) {
        picture_list_->Items(picture_index_).RefreshPicture(canvas, ClientRect());
    }
    canvas.Font().Assign(Font());
    canvas.Brush().SetStyle(bsClear);
    const SIZE extent = canvas.TextExtent(caption_text_);
    CaptionMetrics metrics{Width(),
                           Height(),
                           extent.cx,
                           extent.cy,
                           check_style_ != csNone,
                           check_box_size_,
                           caption_alignment(alignment_)};
    if (auto_size_) {
        const CaptionLayout sized = caption_layout(metrics);
        SetBounds(Left(), Top(), sized.auto_width, sized.auto_height);
        metrics.button_width = Width();
        metrics.button_height = Height();
    }
    const CaptionLayout layout = caption_layout(metrics);
    if (!caption_text_.empty()) {
        draw_caption(caption_text_, layout.text);
    }
    if (check_style_ != csNone) {
        Draw_CheckBox({layout.box.x, layout.box.y, layout.box.x + check_box_size_, layout.box.y + check_box_size_});
    } else if (border_style_ != cbsNone && checked_) {
        bevel_ = Bevel::sunken;
    }
    draw_border(ClientRect());
}

void TzqBtn::draw_caption(const std::wstring& caption, PixelPoint at) {
    TCanvas& canvas = Canvas();
    if (Enabled()) {
        canvas.TextOut(at.x, at.y, caption);
        return;
    }
    canvas.Font().SetColor(clWhite);
    canvas.TextOut(at.x + 1, at.y + 1, caption);
    canvas.Font().SetColor(clGray);
    canvas.TextOut(at.x, at.y, caption);
}

void TzqBtn::draw_border(RECT rect) {
    TCanvas& canvas = Canvas();
    if (border_style_ == cbsSingle && bevel_ != Bevel::sunken) {
        canvas.Brush().SetColor(clWindowFrame);
        canvas.FrameRect(rect);
        InflateRect(&rect, -1, -1);
    }
    if (bevel_ == Bevel::none) {
        return;
    }
    const BevelColors colors = bevel_colors(rgb_of(ColorToRGB(Color())));
    const bool raised = bevel_ == Bevel::raised;
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(color_of(raised ? colors.light : colors.dark));
    polyline(canvas, {{rect.left, rect.bottom - 1}, {rect.left, rect.top}, {rect.right - 1, rect.top}});
    canvas.Pen().SetColor(color_of(raised ? colors.dark : colors.light));
    canvas.LineTo(rect.right - 1, rect.bottom - 1);
    canvas.LineTo(rect.left, rect.bottom - 1);
}

void TzqBtn::Draw_CheckBox(const RECT& square) {
    switch (check_style_) {
        case csPushButton:
        case csCheckBox:
        case csRadioButton: {
            RECT box = square;
            DrawFrameControl(Canvas().Handle(), &box, DFC_BUTTON, check_frame_state(check_style_, checked_, Enabled()));
            break;
        }
        case csDiamond:
            draw_diamond(square);
            break;
        case csTrafficLight:
            draw_traffic_light(square);
            break;
        case csNone:
            break;
    }
}

void TzqBtn::draw_diamond(const RECT& square) {
    TCanvas& canvas = Canvas();
    const BrushKept kept(canvas);
    const DiamondShape shape = diamond_shape(to_pixel_rect(square));
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(checked_ ? clBtnShadow : clBtnHighlight);
    polyline(canvas, {shape.upper_left[0], shape.upper_left[1], shape.upper_left[2]});
    canvas.Pen().SetColor(checked_ ? clBtnHighlight : clBtnShadow);
    canvas.LineTo(shape.lower_right[1].x, shape.lower_right[1].y);
    canvas.LineTo(shape.lower_right[2].x, shape.lower_right[2].y);
    if (!checked_) {
        return;
    }
    canvas.Pen().SetColor(kept.color());
    canvas.Brush().SetColor(Enabled() ? clBlack : clGray);
    std::vector<POINT> fill;
    for (const PixelPoint& p : shape.fill) {
        fill.push_back({p.x, p.y});
    }
    canvas.Polygon(fill);
}

void TzqBtn::draw_traffic_light(const RECT& square) {
    TCanvas& canvas = Canvas();
    const BrushKept kept(canvas);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(!Enabled() ? clGray : checked_ ? clRed : 0x00FF00);
    canvas.Ellipse(square.left + 1, square.top + 1, square.right - 1, square.bottom - 1);
    // Arcs run counter-clockwise: from the upper-right to the lower-left corner is the upper-left half.
    canvas.Pen().SetColor(clBtnShadow);
    canvas.Arc(square.left, square.top, square.right, square.bottom, square.right, square.top, square.left,
               square.bottom);
    canvas.Pen().SetColor(clBtnHighlight);
    canvas.Arc(square.left, square.top, square.right, square.bottom, square.left, square.bottom, square.right,
               square.top);
}

}  // namespace vistrel
