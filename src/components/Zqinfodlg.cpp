#include "components/Zqinfodlg.h"

#include <algorithm>

#include "components/gbk_text.h"
#include "components/zq_dialog_layout.h"
#include "framework/application.h"
#include "framework/program_style.h"

namespace vistrel {
namespace {

constexpr UINT kRequestMessage = WM_USER + 1;
// wParam of a request: what to do.
constexpr WPARAM kClose = 0;
constexpr WPARAM kShowMessage = 1;
constexpr WPARAM kShowInput = 2;          // lParam: the kind
constexpr std::size_t kCaptionBytes = 8;  // GBK bytes a custom button caption keeps

// Dialogs open centred on the primary screen: its work area is all they may take.
RECT primary_work_area() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

}  // namespace

TzqInfoDlg zqInfo;

// Everything a request shows, taken when the request is made.
struct TzqInfoDlg::Request {
    int kind = 0;
    std::wstring text;
    std::wstring caption;
    unsigned type = 0;
    std::array<std::wstring, 4> captions;
    HICON icon = nullptr;
    int width = 0;
    int height = 0;
    wchar_t password_char = 0;
    TScrollStyle scroll_bars = ssNone;
    bool word_wrap = false;
    bool sizeable = false;
    TControl* hosted = nullptr;
};

// One dialog while it runs; clicks find their dialog through the form they come from.
struct TzqInfoDlg::Run {
    int kind = 0;
    std::unique_ptr<TForm> form;
    TzqForm* frame = nullptr;
    std::array<TzqButton*, 4> buttons{};
    int result = IDCANCEL;  // what a dialog ended without a button answers
};

TzqInfoDlg::TzqInfoDlg() : window_([this](UINT m, WPARAM w, LPARAM l) { return Wnd_Proc(m, w, l); }) {}

TzqInfoDlg::~TzqInfoDlg() = default;

TzqInfoDlg::Request TzqInfoDlg::capture(int kind) const {
    return {kind,      Text,         Caption,    DlgType,  BtnCaptions, Icon,         DlgWidth,
            DlgHeight, PasswordChar, ScrollBars, WordWrap, Sizeable,    HostedControl};
}

void TzqInfoDlg::apply(const Request& request) {
    Text = request.text;
    Caption = request.caption;
    DlgType = request.type;
    BtnCaptions = request.captions;
    Icon = request.icon;
    DlgWidth = request.width;
    DlgHeight = request.height;
    PasswordChar = request.password_char;
    ScrollBars = request.scroll_bars;
    WordWrap = request.word_wrap;
    Sizeable = request.sizeable;
    HostedControl = request.hosted;
}

void TzqInfoDlg::post(int kind) {
    pending_.push_back(capture(kind));
    post_token(kind);
}

void TzqInfoDlg::post_token(int kind) {
    // Once the session has ended the window is gone; a null window would make this a thread message.
    if (Handle() != nullptr &&
        PostMessageW(Handle(), kRequestMessage, kind == kMessageKind ? kShowMessage : kShowInput, kind)) {
        ++tokens_;
    }
}

void TzqInfoDlg::post_for_waiting_request() {
    if (!pending_.empty() && tokens_ == 0) {
        post_token(pending_.front().kind);
    }
}

LRESULT TzqInfoDlg::Wnd_Proc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_QUERYENDSESSION:
            return 1;
        case WM_ENDSESSION:
            // wParam FALSE: another program cancelled the log-off; the session's dialogs must still come.
            if (wparam != FALSE) {
                window_.destroy();
            }
            return 0;
        case kRequestMessage:
            break;
        default:
            return 0;
    }
    PostShow = false;
    if (wparam == kClose) {
        CloseDialog();
        return 0;
    }
    if (wparam != kShowMessage && wparam != kShowInput) {
        return 0;
    }
    const bool ours = tokens_ > 0;
    if (ours) {
        --tokens_;
    }
    int kind = wparam == kShowMessage ? kMessageKind : static_cast<int>(lparam);
    if (!ours) {
        pending_.push_back(capture(kind));  // posted by someone else: it shows what the members hold now
    }
    if (Showing || pending_.empty()) {
        // A dialog is open: the request waits in its queue, and the end of that dialog posts for it again.
        // Re-posting at once instead would keep the message queue busy and starve the timers.
        return 0;
    }
    const Request request = std::move(pending_.front());
    pending_.pop_front();
    apply(request);
    kind = request.kind;
    if (kind == kMessageKind) {
        InfoDlgExecute(false);
    } else {
        InputDlgExecute(kind, false);
    }
    return 0;
}

int TzqInfoDlg::MessageDlg(const std::wstring& text, const std::wstring& caption, unsigned type) {
    Text = text;
    Caption = caption;
    DlgType = type;
    return InfoDlgExecute(PostShow);
}

void TzqInfoDlg::ShowMessage(const std::wstring& text) {
    Text = text;
    Caption = Application().Title();
    DlgType = 0;
    InfoDlgExecute(PostShow);
}

int TzqInfoDlg::ExMessageBox(const std::wstring& text,
                             const std::wstring& caption,
                             const std::wstring& b1,
                             const std::wstring& b2,
                             const std::wstring& b3,
                             const std::wstring& b4,
                             unsigned type) {
    Text = text;
    Caption = caption;
    BtnCaptions = {cut_to_gbk_bytes(b4, kCaptionBytes), cut_to_gbk_bytes(b3, kCaptionBytes),
                   cut_to_gbk_bytes(b2, kCaptionBytes), cut_to_gbk_bytes(b1, kCaptionBytes)};
    DlgType = type | dialog::kCustomButtons;
    return InfoDlgExecute(PostShow);
}

bool TzqInfoDlg::GetString(const std::wstring& caption, const std::wstring& text) {
    Caption = caption;
    Text = text;
    return EditDlgExecute();
}

bool TzqInfoDlg::GetText(const std::wstring& caption, const std::wstring& text) {
    Caption = caption;
    Text = text;
    return MemoDlgExecute();
}

bool TzqInfoDlg::ControlDlg(TControl* control, const std::wstring& caption) {
    if (control == nullptr) {
        return false;
    }
    Caption = caption;
    HostedControl = control;
    return InputDlgExecute(kControlKind, PostShow);
}

void TzqInfoDlg::CloseDialog() {
    if (Showing && Form != nullptr) {
        Form->Hide();
        Form->SetModalResult(mrCancel);
        Showing = false;
        post_for_waiting_request();
    }
}

int TzqInfoDlg::InfoDlgExecute(bool post_request) {
    if (post_request || Showing) {
        post(0);
        return 0;
    }
    return run_message_dialog();
}

bool TzqInfoDlg::InputDlgExecute(int kind, bool post_request) {
    // Only the three kinds exist; a hosted-control dialog needs its control (a posted request may lack both).
    if (kind < kLineInputKind || kind > kControlKind || (kind == kControlKind && HostedControl == nullptr)) {
        return false;
    }
    if (post_request || Showing) {
        post(kind);
        return false;
    }
    return run_input_dialog(kind);
}

TForm* TzqInfoDlg::build_form(TBorderIcons icons) {
    auto* form = new TForm(nullptr);
    form->Position = poScreenCenter;
    form->SetBorderIcons(icons);
    form->SetCaption(Caption);
    form->SetColor(kProgramGrey);  // its font is the program's by default
    form->SetFormStyle(fsStayOnTop);
    form->OnResize = [this](TObject* sender) { OnFormResize(sender); };
    return form;
}

void TzqInfoDlg::make_frame(TForm* form, bool sizeable) {
    // The frame is the dialog form's stored part; the rest is made for each request.
    form->ReadDescription([&] {
        Frame = new TzqForm(form);
        Frame->OnClickSysBtn = [this](TObject* sender) { OnClickBtn(sender); };
        Frame->setSizeable(sizeable);
    });
}

int TzqInfoDlg::run_message_dialog() {
    Showing = true;
    DlgKind = kMessageKind;
    Run current;
    current.form.reset(build_form(biSystemMenu));
    Form = current.form.get();
    Form->SetBounds(0, 0, DlgWidth, DlgHeight);
    TextLabel = nullptr;
    Buttons = {};
    make_frame(Form, false);
    current.frame = Frame;

    IconImage = new TImage(Form);
    IconImage->SetParent(Form);
    IconImage->SetTransparent(true);
    IconImage->SetCenter(true);
    IconImage->SetBounds(5, 30, 70, Form->Height() - 70);
    IconImage->SetAnchors(akLeft | akTop | akBottom);
    const int icon = dialog::icon_number(DlgType);
    if (icon >= 1 && icon <= 7) {
        IconImage->Picture().Bitmap().LoadFromResourceName(GetModuleHandleW(nullptr),
                                                           L"zqInfoDlgIcon" + std::to_wstring(icon));
    } else if (Icon != nullptr) {
        IconImage->Picture().Icon().SetHandle(CopyIcon(Icon));
    } else {
        IconImage->SetWidth(0);
    }

    TextLabel = new TLabel(Form);
    TextLabel->SetParent(Form);
    TextLabel->SetTransparent(true);
    TextLabel->SetShowAccelChar(false);  // a reminder's "Tom & Jerry" keeps its "&"
    TextLabel->SetCaption(Text);
    const RECT work_area = primary_work_area();
    const int widest = dialog::widest_text(work_area.right - work_area.left, IconImage->Width());
    if (TextLabel->Width() > widest) {
        TextLabel->SetWidth(widest);
        TextLabel->SetWordWrap(true);
    }

    const auto faces = dialog::button_faces(DlgType, BtnCaptions);
    for (const int i : dialog::creation_order(DlgType)) {
        auto* button = new TzqButton(Form);
        button->SetParent(Form);
        button->SetBounds(Form->Width() - 80 - 65 * i, IconImage->Top() + IconImage->Height(), 60, button->Height());
        button->SetAnchors(akRight | akBottom);
        button->OnClick = [this](TObject* sender) { OnClickBtn(sender); };
        const dialog::ButtonFace& face = faces[static_cast<std::size_t>(i)];
        button->SetCaption(face.caption);
        button->Tag = face.id;
        button->SetVisible(!face.caption.empty());
        Buttons[static_cast<std::size_t>(i)] = button;
    }
    current.buttons = Buttons;

    const dialog::Size size = dialog::fit_to(
        dialog::message_size({TextLabel->Width(), TextLabel->Height()}, IconImage->Width(),
                             {Form->Constraints().MinWidth(), Form->Constraints().MinHeight()}, Buttons[3]->Visible()),
        {work_area.right - work_area.left, work_area.bottom - work_area.top});
    Form->SetBounds(Form->Left(), Form->Top(), size.width, size.height);
    OnFormResize(Form);
    BtnResult = run(current);
    forget(current);
    Showing = false;
    post_for_waiting_request();
    return BtnResult;
}

bool TzqInfoDlg::run_input_dialog(int kind) {
    Showing = true;
    DlgKind = kind;
    Run current;
    current.kind = kind;
    const bool only_close = kind == kLineInputKind || !Sizeable;
    current.form.reset(build_form(only_close ? biSystemMenu : biSystemMenu | biMinimize | biMaximize));
    Form = current.form.get();
    TextLabel = nullptr;
    IconImage = nullptr;
    Edit = nullptr;
    Memo = nullptr;
    Buttons = {};
    make_frame(Form, Sizeable);
    current.frame = Frame;

    Form->Constraints().SetMinWidth(250);
    Form->Constraints().SetMinHeight(100);
    switch (kind) {
        case kLineInputKind:
            build_line_input();
            break;
        case kTextInputKind:
            build_text_input();
            break;
        default:
            host_control();
            break;
    }
    add_input_buttons();
    current.buttons = Buttons;

    const bool accepted = run(current) == mrOk;
    take_input(kind, accepted);
    forget(current);
    InputResult = accepted ? 1 : 0;
    Showing = false;
    post_for_waiting_request();
    return accepted;
}

void TzqInfoDlg::build_line_input() {
    TSizeConstraints& limits = Form->Constraints();
    limits.SetMaxHeight(limits.MinHeight());
    Form->SetWidth(limits.MinWidth());
    Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(7, 30, Form->Width() - 15, Edit->Height());
    Edit->SetText(Text);
    Edit->SetPasswordChar(PasswordChar);
    Edit->SetTabOrder(0);
    Edit->SetAnchors(akLeft | akTop | akRight | akBottom);
    Edit->OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) {
        OnKeyDownOnInputEdit(sender, key, shift);
    };
}

void TzqInfoDlg::build_text_input() {
    Form->SetBounds(Form->Left(), Form->Top(), DlgWidth, DlgHeight);
    Memo = new TMemo(Form);
    Memo->SetParent(Form);
    Memo->SetBounds(7, 30, Form->Width() - 15, Form->Height() - 80);
    Memo->SetScrollBars(ScrollBars);
    Memo->SetWordWrap(WordWrap);
    Memo->SetText(Text);
    Memo->SetTabOrder(0);
    Memo->SetAnchors(akLeft | akTop | akRight | akBottom);
}

void TzqInfoDlg::host_control() {
    TSizeConstraints& limits = Form->Constraints();
    limits.SetMinWidth(std::max(limits.MinWidth(), HostedControl->Width() + 30));
    limits.SetMinHeight(std::max(limits.MinHeight(), HostedControl->Height() + 90));
    Form->SetBounds(Form->Left(), Form->Top(), HostedControl->Width() + 30, HostedControl->Height() + 90);
    HostedControl->SetParent(Form);
    HostedControl->Show();
    OnFormResize(Form);
}

void TzqInfoDlg::add_input_buttons() {
    const wchar_t* captions[] = {L"取消", L"确定"};
    for (std::size_t i = 0; i < 2; ++i) {
        auto* button = new TzqButton(Form);
        button->SetParent(Form);
        button->SetCaption(captions[i]);
        button->SetBounds(Form->Width() - (i == 0 ? 100 : 180), Form->Height() - 42, button->Width(), button->Height());
        button->SetAnchors(akRight | akBottom);
        button->OnClick = [this](TObject* sender) { OnClickBtn(sender); };
        Buttons[i] = button;
    }
}

// After the run: an accepted edit's text becomes Text; a hosted control leaves the dialog, to outlive it.
void TzqInfoDlg::take_input(int kind, bool accepted) {
    if (accepted && kind == kLineInputKind) {
        Text = Edit->Text();
    } else if (accepted && kind == kTextInputKind) {
        Text = Memo->Text();
    } else if (kind == kControlKind) {
        HostedControl->Hide();
        HostedControl->SetParent(nullptr);
    }
}

int TzqInfoDlg::run(Run& current) {
    runs_.push_back(&current);
    struct Pop {
        std::vector<Run*>& runs;
        ~Pop() { runs.pop_back(); }
    } pop{runs_};
    const TModalResult modal = current.form->ShowModal();
    return current.kind == kMessageKind ? current.result : modal;
}

void TzqInfoDlg::forget(const Run& finished) {
    // A newer dialog may have been built while this one was ending; its members stay.
    if (Form == finished.form.get()) {
        Form = nullptr;
        Frame = nullptr;
        TextLabel = nullptr;
        IconImage = nullptr;
        Edit = nullptr;
        Memo = nullptr;
        Buttons = {};
    }
}

TzqInfoDlg::Run* TzqInfoDlg::run_of(TObject* sender) {
    // Only a control can lie on a dialog's form: anything else, a null sender among them, belongs to no run.
    auto* control = dynamic_cast<TControl*>(sender);
    if (control == nullptr) {
        return nullptr;
    }
    const TForm* form = control->GetParentForm();
    const auto it = std::find_if(runs_.begin(), runs_.end(), [form](const Run* r) { return r->form.get() == form; });
    return it != runs_.end() ? *it : nullptr;
}

void TzqInfoDlg::OnClickBtn(TObject* sender) {
    Run* current = run_of(sender);
    if (current == nullptr) {
        return;
    }
    TForm& form = *current->form;
    const auto* caption_button = dynamic_cast<const TSpeedButton*>(sender);
    if (current->kind == kMessageKind) {
        current->result = caption_button != nullptr ? current->buttons[0]->Tag : static_cast<TComponent*>(sender)->Tag;
        BtnResult = current->result;
        form.SetModalResult(mrOk);
        return;
    }
    if (caption_button != nullptr) {
        switch (caption_button->Tag) {
            case 0:
                form.SetModalResult(mrCancel);
                break;
            case 1:
                current->frame->ExecuteMaximize();
                break;
            default:
                form.SetWindowState(wsMinimized);
                break;
        }
        return;
    }
    form.SetModalResult(sender == current->buttons[1] ? mrOk : mrCancel);
}

void TzqInfoDlg::OnFormResize(TObject* sender) {
    if (sender != Form || Form == nullptr) {
        return;
    }
    if (DlgKind == kMessageKind && TextLabel != nullptr && Buttons[0] != nullptr) {
        TextLabel->SetLeft(dialog::text_left(Form->Width(), TextLabel->Width(), IconImage->Width()));
        TextLabel->SetTop(dialog::text_top(Buttons[0]->Top(), IconImage->Top(), TextLabel->Height()));
    } else if (DlgKind == kControlKind && HostedControl != nullptr && HostedControl->Parent() == Form) {
        HostedControl->SetBounds((Form->Width() - HostedControl->Width()) / 2,
                                 (Form->Height() - HostedControl->Height()) / 2 - 8, HostedControl->Width(),
                                 HostedControl->Height());
    }
}

void TzqInfoDlg::OnKeyDownOnInputEdit(TObject* sender, WORD& key, TShiftState) {
    Run* current = run_of(sender);
    if (current == nullptr) {
        return;
    }
    if (key == VK_RETURN) {
        current->form->SetModalResult(mrOk);
    } else if (key == VK_ESCAPE) {
        current->form->SetModalResult(mrCancel);
    }
}

}  // namespace vistrel
