#include "components/Zqform.h"

#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/program_style.h"

namespace vistrel {
namespace {

struct SystemButtonFace {
    const wchar_t* hint;
    const wchar_t* glyph;
    TBorderIcons icon;
};
const SystemButtonFace kSystemButtons[] = {
    {L"关闭", L"dlgClose", biSystemMenu},
    {L"最大化", L"dlgMax", biMaximize},
    {L"最小化", L"dlgMin", biMinimize},
};

HINSTANCE module() {
    return GetModuleHandleW(nullptr);
}

// Whether one of this program's windows is the foreground window now.
bool application_in_front() {
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    return process == GetCurrentProcessId();
}

}  // namespace

TzqForm::TzqForm(TForm* owner) : TGraphicControl(owner), FForm(owner) {
    SetParent(owner);
    TFont title;
    title.SetName(kProgramFontName);
    title.SetSize(11);
    title.SetStyle(fsBold);
    title.SetColor(clWhite);
    SetFont(title);
    FFrameBitmap.Canvas().Font().Assign(Font());
    FFrameBitmap.Canvas().Brush().SetStyle(bsClear);
    FPicture.OnChange = [this](TObject*) { onImageChanged(); };

    for (int i = 0; i < 3; ++i) {
        const SystemButtonFace& face = kSystemButtons[i];
        auto* button = new TSpeedButton(this);
        button->SetParent(owner);
        button->SetTransparent(true);
        button->SetFlat(true);
        button->ShowHint = true;
        button->Tag = i;
        button->Hint = face.hint;
        button->SetBounds(owner->Width() - 22 - 20 * i, 7, 15, 15);
        button->SetAnchors(akTop | akRight);
        button->OnClick = [this](TObject* sender) { OnClickSystemButton(sender); };
        if ((owner->BorderIcons() & face.icon) != 0) {
            button->Glyph().LoadFromResourceName(module(), face.glyph);
        } else {
            button->Hide();
        }
        FSysButtons[static_cast<std::size_t>(i)] = button;
    }
    FGripBitmap.LoadFromResourceName(module(), L"dlgDragHnd");
    FGripBitmap.SetTransparent(true);

    SetCaption(owner->Caption());
    owner->SetBorderStyle(bsNone);
    SetAlign(alClient);
    limit_window_height();
    set_maximise_look(form_maximized());
    // Started in the state the application is in, so the first deactivation already turns it grey.
    FAppActive = application_in_front();
    FHookId = Application().HookMainWindow([this](TMessage& message) { return ApplicationHookProc(message); });
}

TzqForm::~TzqForm() {
    Application().UnhookMainWindow(FHookId);
}

bool TzqForm::form_maximized() const {
    return FForm->WindowState() == wsMaximized;
}

void TzqForm::Loaded() {
    TGraphicControl::Loaded();
    if (FPicture.Width() == 0) {
        FPicture.Bitmap().LoadFromResourceName(module(), L"BKMESSAGEBOX");
    }
    Resize();
}

void TzqForm::setSizeable(bool sizeable) {
    if (sizeable != FSizeable) {
        FSizeable = sizeable;
        frame_changed();
    }
}

void TzqForm::update_form_appearnce() {
    if (FPictureBits.Width() <= 0 || Width() <= 0 || Height() <= 0) {
        FFrameBitmap.Clear();
        return;
    }
    FFrameBitmap.LoadBlank(Width(), Height());
    frame::compose(FPictureBits.View(), FFrameBitmap.View());
    TCanvas& canvas = FFrameBitmap.Canvas();
    DrawTitle(canvas, (Width() - canvas.TextWidth(Caption())) / 2, 7, Caption());
    if (FSizeable) {
        canvas.Draw(Width() - 20, Height() - 18, FGripBitmap);
    }
    if (!FAppActive) {
        FFrameBitmap.Grayscale();
    }
}

TZQBitmap& TzqForm::FrameBitmap() {
    if (FFrameBitmap.Empty()) {
        update_form_appearnce();
    }
    return FFrameBitmap;
}

void TzqForm::frame_changed() {
    FFrameBitmap.Clear();
    Invalidate();
}

void TzqForm::DrawTitle(TCanvas& canvas, int x, int y, const std::wstring& text) {
    canvas.Brush().SetStyle(bsClear);
    const TColor colour = canvas.Font().Color();
    canvas.Font().SetColor(clBlack);
    canvas.TextOut(x, y - 1, text);
    canvas.TextOut(x, y + 1, text);
    canvas.TextOut(x - 1, y, text);
    canvas.TextOut(x + 1, y, text);
    canvas.Font().SetColor(colour);
    canvas.TextOut(x, y, text);
}

void TzqForm::Paint() {
    // Composed for each painting and let go of afterwards: the picture is as large as the window (half a megabyte
    // for the main window), and it is needed only while something on the window is painted.
    Canvas().Draw(0, 0, FrameBitmap());
    FFrameBitmap.Clear();
}

void TzqForm::Resize() {
    std::array<bool, 3> visible{};
    for (std::size_t i = 0; i < 3; ++i) {
        visible[i] = FSysButtons[i]->Visible();
    }
    const auto lefts = frame::system_button_lefts(Width(), visible);
    for (std::size_t i = 0; i < 3; ++i) {
        if (visible[i]) {
            FSysButtons[i]->SetLeft(lefts[i]);
        }
    }
    TGraphicControl::Resize();
    if (FPicture.Height() > 0) {
        TCanvas& measure = measuring_canvas();
        measure.Font().Assign(Font());
        const int required = FPicture.Width() + measure.TextWidth(Caption()) - 25;
        if (FForm->Constraints().MinWidth() < required) {
            FForm->Constraints().SetMinWidth(required);
        }
        frame_changed();
    }
}

void TzqForm::onImageChanged() {
    FPictureBits.Clear();
    if (TGraphic* graphic = FPicture.Graphic()) {
        FPictureBits.Assign(*graphic);
    }
    if (FForm->Constraints().MinHeight() < FPicture.Height()) {
        FForm->Constraints().SetMinHeight(FPicture.Height());
    }
    frame_changed();
}

void TzqForm::limit_window_height() {
    const int limit = GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYCAPTION);
    if (FForm->Constraints().MaxHeight() == 0 || FForm->Constraints().MaxHeight() > limit) {
        FForm->Constraints().SetMaxHeight(limit);
    }
}

void TzqForm::TextChanged() {
    TGraphicControl::TextChanged();
    frame_changed();
}

void TzqForm::MouseMove(TShiftState shift, int x, int y) {
    if (form_maximized()) {
        SetCursor(crDefault);
        FHitZone = frame::dtDefault;
    } else {
        FHitZone = frame::hit_zone(x, y, Width(), Height(), FSizeable);
        SetCursor(frame::zone_cursor(FHitZone));
    }
    TGraphicControl::MouseMove(shift, x, y);
}

void TzqForm::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && FHitZone != frame::dtDefault) {
        ReleaseCapture();
        SendMessageW(FForm->Handle(), WM_SYSCOMMAND, frame::zone_command(FHitZone), 0);
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TzqForm::MouseDownOnCaption(TObject*, TMouseButton, TShiftState, int, int) {
    ReleaseCapture();
    SendMessageW(FForm->Handle(), WM_SYSCOMMAND, frame::zone_command(frame::dtMove), 0);
}

void TzqForm::DoubleClickMessage(TShiftState, int, int) {
    POINT p{};
    GetCursorPos(&p);
    p = FForm->ScreenToClient(p);
    if (FSizeable && p.x >= 0 && p.x <= Width() && p.y >= 0 && p.y <= frame::kTitleBand) {
        FHitZone = frame::dtDefault;
        OnClickSystemButton(FSysButtons[1]);
    }
}

void TzqForm::OnClickSystemButton(TObject* sender) {
    auto* button = dynamic_cast<TSpeedButton*>(sender);
    if (button == nullptr || !button->Visible()) {
        return;
    }
    if (OnClickSysBtn) {
        OnClickSysBtn(sender);
        return;
    }
    switch (button->Tag) {
        case 0:
            FForm->Close();
            break;
        case 1:
            ExecuteMaximize();
            break;
        case 2:
            PostMessageW(Application().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
            break;
        default:
            break;
    }
}

void TzqForm::ExecuteMaximize() {
    if (FForm->WindowState() != wsNormal) {
        PostMessageW(FForm->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        set_maximise_look(false);
    } else {
        limit_window_height();
        set_maximise_look(true);
        PostMessageW(FForm->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    }
}

void TzqForm::set_maximise_look(bool maximised) {
    TSpeedButton& button = *FSysButtons[1];
    if (!button.Visible()) {
        return;
    }
    button.Hint = maximised ? L"恢复" : L"最大化";
    button.Glyph().LoadFromResourceName(module(), maximised ? L"dlgRestore" : L"dlgMax");
}

bool TzqForm::ApplicationHookProc(TMessage& message) {
    if (message.Msg == WM_ACTIVATEAPP) {
        setActive(message.WParam != 0);
    }
    return false;
}

void TzqForm::setActive(bool active) {
    if (active == FAppActive) {
        return;
    }
    FAppActive = active;
    frame_changed();
}

}  // namespace vistrel
