#pragma once

#include <array>
#include <string>

#include "components/Zqbitmap.h"
#include "components/zq_frame_layout.h"
#include "framework/form.h"
#include "framework/graphic_control.h"
#include "framework/picture.h"
#include "framework/speed_button.h"

namespace vistrel {

using frame::TDrag_Mode_Type;

/// The skinned frame: placed on a form it takes away the form's border and paints a nine-slice frame,
/// the caption and its own system buttons; it moves and sizes the window and turns grey while the
/// application is inactive.
class TzqForm : public TGraphicControl {
public:
    explicit TzqForm(TForm* owner);
    ~TzqForm() override;

    TPicture& Picture() { return FPicture; }
    void setPicture(const TPicture& picture) { FPicture.Assign(picture); }
    bool Sizeable() const { return FSizeable; }
    void setSizeable(bool sizeable);
    TCursor DragCursor = crDrag;
    /// When assigned, replaces the default action of all three system buttons.
    TNotifyEvent OnClickSysBtn;

    void Loaded() override;
    /// Toggles the form between maximised and normal.
    void ExecuteMaximize();
    void OnClickSystemButton(TObject* sender);
    /// For the mouse-down event of controls on the title band: dragging them moves the window.
    void MouseDownOnCaption(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    /// White text with a one-pixel black outline.
    static void DrawTitle(TCanvas& canvas, int x, int y, const std::wstring& text);
    /// Composes the frame picture at the control's size, grey while the application is inactive.
    void update_form_appearnce();

    /// The frame picture, composed when asked for; painting lets go of it afterwards.
    TZQBitmap& FrameBitmap();
    TSpeedButton& SystemButton(int index) { return *FSysButtons[static_cast<std::size_t>(index)]; }
    TDrag_Mode_Type HitZone() const { return FHitZone; }

protected:
    void Paint() override;
    void Resize() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    /// OnDBClickCaption: a double-click on the title band of a sizeable frame maximises or restores.
    void DoubleClickMessage(TShiftState shift, int x, int y) override;
    /// CaptionChanged: the title is part of the composed picture.
    void TextChanged() override;

private:
    void onImageChanged();
    /// The picture is out of date: it is composed again at the next painting.
    void frame_changed();
    void limit_window_height();
    void setActive(bool active);
    bool ApplicationHookProc(TMessage& message);
    void set_maximise_look(bool maximised);
    bool form_maximized() const;

    TForm* FForm;  // not owned: the owner
    TBitmap FGripBitmap;
    bool FAppActive = false;
    TPicture FPicture;
    TZQBitmap FPictureBits;  // the picture as 24-bit pixels, the source of every composition
    TZQBitmap FFrameBitmap;
    bool FSizeable = false;
    TDrag_Mode_Type FHitZone = frame::dtDefault;
    std::array<TSpeedButton*, 3> FSysButtons{};  // owned through the component tree
    int FHookId = 0;
};

}  // namespace vistrel
