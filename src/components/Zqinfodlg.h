#pragma once

#include <array>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "components/Zqbutton.h"
#include "components/Zqform.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/image.h"
#include "framework/label.h"
#include "framework/utility_window.h"

namespace vistrel {

/// The program's message and input box: each request builds a skinned dialog, runs it modally and frees it.
/// A request made with PostShow set (or while a dialog is open) is posted to the object's own window and
/// shown from the message loop, with the texts and settings it had when it was made. Requests that find a
/// dialog open wait in a queue of their own (not in the message queue) and follow one another in order.
class TzqInfoDlg : public TObject {
public:
    TzqInfoDlg();
    ~TzqInfoDlg() override;

    /// Kinds of dialog: the values of DlgKind and of the kind InputDlgExecute builds.
    static constexpr int kMessageKind = 0;
    static constexpr int kLineInputKind = 1;  // one line in an edit
    static constexpr int kTextInputKind = 2;  // text in a multi-line edit
    static constexpr int kControlKind = 3;    // a control of the caller's

    bool Showing = false;
    int InputResult = 0;
    bool PostShow = false;
    HICON Icon = nullptr;  // not owned
    int DlgKind = 0;
    int DlgWidth = 500;
    int DlgHeight = 250;
    int BtnResult = 0;
    std::array<std::wstring, 4> BtnCaptions;
    unsigned DlgType = 0;
    TLabel* TextLabel = nullptr;  // these point into the open dialog and are valid while Showing
    TzqForm* Frame = nullptr;
    TForm* Form = nullptr;
    TImage* IconImage = nullptr;
    TMemo* Memo = nullptr;
    TEdit* Edit = nullptr;
    wchar_t PasswordChar = 0;
    std::wstring Caption = L"对话框";
    std::wstring Text;
    std::array<TzqButton*, 4> Buttons{};
    TScrollStyle ScrollBars = ssNone;
    bool WordWrap = false;
    bool Sizeable = false;
    TControl* HostedControl = nullptr;  // not owned

    /// The hidden window that receives posted requests.
    HWND Handle() const { return window_.handle(); }

    int MessageDlg(const std::wstring& text, const std::wstring& caption, unsigned type);
    void ShowMessage(const std::wstring& text);
    int ExMessageBox(const std::wstring& text,
                     const std::wstring& caption,
                     const std::wstring& b1,
                     const std::wstring& b2,
                     const std::wstring& b3,
                     const std::wstring& b4,
                     unsigned type);
    int InfoDlgExecute(bool post);
    bool GetString(const std::wstring& caption, const std::wstring& text);
    bool GetText(const std::wstring& caption, const std::wstring& text);
    bool EditDlgExecute() { return InputDlgExecute(kLineInputKind, PostShow); }
    bool MemoDlgExecute() { return InputDlgExecute(kTextInputKind, PostShow); }
    bool ControlDlg(TControl* control, const std::wstring& caption);
    bool InputDlgExecute(int kind, bool post);
    /// Ends the open dialog (as Cancel) as soon as control returns to its message loop.
    void CloseDialog();

    LRESULT Wnd_Proc(UINT message, WPARAM wparam, LPARAM lparam);
    void OnClickBtn(TObject* sender);
    void OnFormResize(TObject* sender);
    void OnKeyDownOnInputEdit(TObject* sender, WORD& key, TShiftState shift);

private:
    struct Request;
    struct Run;

    Request capture(int kind) const;
    void apply(const Request& request);
    void post(int kind);
    void post_token(int kind);
    void post_for_waiting_request();
    TForm* build_form(TBorderIcons icons);
    void make_frame(TForm* form, bool sizeable);
    int run_message_dialog();
    bool run_input_dialog(int kind);
    void build_line_input();
    void build_text_input();
    void host_control();
    void add_input_buttons();
    void take_input(int kind, bool accepted);
    int run(Run& run);
    Run* run_of(TObject* sender);
    void forget(const Run& run);

    std::deque<Request> pending_;  // requests waiting to be shown, oldest first
    int tokens_ = 0;               // our request messages still in the queue
    std::vector<Run*> runs_;       // not owned: the dialogs running now, innermost last
    UtilityWindow window_;
};

/// The one dialog object through which every message of the program is shown.
extern TzqInfoDlg zqInfo;

}  // namespace vistrel
