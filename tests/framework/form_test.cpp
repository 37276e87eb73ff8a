#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/button.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "test_support.h"

namespace vistrel {
namespace {

using testing_support::later;
using testing_support::post_key;
using testing_support::pump_until;

LONG_PTR style_of(TForm& form, int which) {
    return GetWindowLongPtrW(form.Handle(), which);
}

TEST(Forms, ShowModalRunsUntilAResultAndDisablesTheOtherWindows) {
    TForm other(nullptr);
    other.Show();
    TForm dialog(nullptr);
    bool other_enabled_meanwhile = true;
    later([&] {
        other_enabled_meanwhile = IsWindowEnabled(other.Handle()) != FALSE;
        EXPECT_TRUE(dialog.Modal());
        dialog.SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_FALSE(other_enabled_meanwhile);
    EXPECT_TRUE(IsWindowEnabled(other.Handle()));
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

TEST(Forms, ClosingAModalFormAnswersCancelAndTheCloseQueryCanRefuse) {
    TForm dialog(nullptr);
    int asked = 0;
    dialog.OnCloseQuery = [&](TObject*, bool& can_close) { can_close = ++asked > 1; };
    later([&] {
        SendMessageW(dialog.Handle(), WM_CLOSE, 0, 0);  // refused by the close query: the run goes on
        later([&] { dialog.Close(); });
    });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
}

TEST(Forms, ConstraintsLimitEverySize) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 120);
    form.Constraints().SetMinWidth(260);  // raising a minimum grows the form at once
    EXPECT_EQ(form.Width(), 260);
    form.Constraints().SetMaxHeight(100);
    EXPECT_EQ(form.Height(), 100);
    form.Show();
    form.SetBounds(0, 0, 100, 300);
    EXPECT_EQ(form.Width(), 260);
    EXPECT_EQ(form.Height(), 100);
    MINMAXINFO info{};
    info.ptMaxSize = info.ptMaxTrackSize = {4000, 4000};  // as the system fills it before asking
    SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 260);
    EXPECT_EQ(info.ptMaxTrackSize.y, 100);
    EXPECT_EQ(info.ptMaxSize.y, 100);
}

TEST(Forms, BorderAndStayOnTopShapeTheWindow) {
    TForm form(nullptr);
    form.SetBounds(10, 10, 300, 200);
    form.SetFormStyle(fsStayOnTop);
    form.SetBorderIcons(biMinimize | biSystemMenu);
    form.Show();
    EXPECT_NE(style_of(form, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_NE(style_of(form, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), Application().Handle());
    EXPECT_LT(form.ClientWidth(), 300);

    form.SetBorderStyle(bsNone);  // the outer size stays; the client area takes the border's place
    EXPECT_EQ(style_of(form, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_NE(style_of(form, GWL_STYLE) & WS_POPUP, 0);
    EXPECT_EQ(form.Width(), 300);
    EXPECT_EQ(form.ClientWidth(), 300);
    EXPECT_EQ(form.ClientHeight(), 200);
}

TEST(Forms, WindowClassAndMessageDispatchCanBeTakenOver) {
    class Recording : public TForm {
    public:
        using TForm::TForm;
        std::vector<UINT> seen;

    protected:
        void CreateParams(TCreateParams& params) override {
            TForm::CreateParams(params);
            params.class_name = L"ZQ_VISTREL_TEST";
        }

        LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override {
            if (message == WM_USER + 1) {
                seen.push_back(message);
                return 42;
            }
            return TForm::handle_message(message, wparam, lparam);
        }
    } form(nullptr);
    EXPECT_EQ(form.Perform(WM_USER + 1, 0, 0), 42);
    EXPECT_EQ(form.seen.size(), 1u);
    EXPECT_EQ(FindWindowW(L"ZQ_VISTREL_TEST", nullptr), form.Handle());
}

// A dialog with an edit and three buttons; returns which one Enter or Escape pressed.
class KeyboardDialog {
public:
    KeyboardDialog() : form(nullptr) {
        form.SetBounds(100, 100, 300, 150);
        edit = new TEdit(&form);
        edit->SetParent(&form);
        const wchar_t* captions[] = {L"ok", L"no", L"cancel"};
        for (int i = 0; i < 3; ++i) {
            auto* button = new TButton(&form);
            button->SetParent(&form);
            button->SetCaption(captions[i]);
            button->SetBounds(10 + 80 * i, 60, 75, 25);
            button->ModalResult = 10 + i;
            buttons.push_back(button);
        }
        buttons[0]->SetDefault(true);
        buttons[2]->Cancel = true;
    }
    TForm form;
    TEdit* edit;
    std::vector<TButton*> buttons;
};

TEST(Forms, DialogKeys) {
    struct Case {
        const char* name;
        std::vector<WORD> keys;  // pressed in order once the dialog runs
        TModalResult result;
    };
    const Case cases[] = {
        {"Enter on the edit presses the default button", {VK_RETURN}, 10},
        {"Escape presses the cancel button", {VK_ESCAPE}, 12},
        {"Tab to the second button, then Enter presses it", {VK_TAB, VK_TAB, VK_RETURN}, 11},
        {"Shift-less Tab wraps around to the edit", {VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_RETURN}, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyboardDialog dialog;
        later([&] {
            EXPECT_EQ(GetFocus(), dialog.edit->Handle());
            EXPECT_TRUE(dialog.buttons[0]->Active());
            for (const WORD key : c.keys) {
                later([key] { post_key(GetFocus(), key); });
            }
        });
        EXPECT_EQ(dialog.form.ShowModal(), c.result);
    }
}

// Logs when it is loaded and, with `makes`, makes a component of its own then.
class LoadProbe : public TComponent {
public:
    LoadProbe(TComponent* owner, std::string name, std::vector<std::string>& log, bool makes = false)
        : TComponent(owner), name_(std::move(name)), log_(log), makes_(makes) {}

    void Loaded() override {
        log_.push_back(name_);
        if (makes_) {
            new LoadProbe(Owner(), name_ + " made", log_);
        }
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
    bool makes_;
};

TEST(Forms, TheDescriptionMakesTheComponentsThenEachIsLoadedOnceInCreationOrder) {
    std::vector<std::string> log;
    TForm form(nullptr);
    new LoadProbe(&form, "before", log);
    form.ReadDescription([&] {
        new LoadProbe(&form, "timer", log);
        auto* menu = new LoadProbe(&form, "menu", log, true);
        new LoadProbe(menu, "menu's own", log);  // owned by the menu, not by the form
        new LoadProbe(&form, "tray", log);
        EXPECT_TRUE(log.empty());  // nothing is loaded while the description runs
    });
    EXPECT_EQ(log, (std::vector<std::string>{"before", "timer", "menu", "tray"}));
    new LoadProbe(&form, "later", log);
    EXPECT_THROW(form.ReadDescription([] {}), std::logic_error);
    EXPECT_EQ(log.size(), 4u);
}

TEST(Application, HooksSeeTheApplicationWindowFirst) {
    std::vector<UINT> seen;
    const int id = Application().HookMainWindow([&](TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_USER + 5) {
            m.Result = 7;
            return true;
        }
        return false;
    });
    EXPECT_EQ(SendMessageW(Application().Handle(), WM_USER + 5, 0, 0), 7);
    SendMessageW(Application().Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(Application().Active());
    Application().UnhookMainWindow(id);
    SendMessageW(Application().Handle(), WM_USER + 5, 0, 0);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 5, WM_ACTIVATEAPP}));
}

TEST(Application, MinimiseAndRestoreThroughSystemCommands) {
    TForm form(nullptr);
    form.SetBounds(50, 50, 200, 100);
    form.Show();
    int minimised = 0;
    int restored = 0;
    Application().OnMinimize = [&](TObject*) { ++minimised; };
    Application().OnRestore = [&](TObject*) { ++restored; };
    PostMessageW(Application().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(pump_until([] { return IsIconic(Application().Handle()) != FALSE; }));
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    PostMessageW(Application().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);  // already minimised: nothing
    PostMessageW(Application().Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(pump_until([] { return IsIconic(Application().Handle()) == FALSE; }));
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(minimised, 1);
    EXPECT_EQ(restored, 1);
    Application().OnMinimize = nullptr;
    Application().OnRestore = nullptr;
}

TEST(Application, TitleAndErrorsOfHandlers) {
    Application().SetTitle(L"Vistrel");
    EXPECT_EQ(Application().Title(), L"Vistrel");
    std::string reported;
    Application().OnException = [&](const std::exception_ptr& error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            reported = e.what();
        }
    };
    TForm form(nullptr);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->OnClick = [](TObject*) { throw std::runtime_error("broken handler"); };
    form.Show();
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);  // the error stops at the window procedure
    EXPECT_EQ(reported, "broken handler");
    Application().OnException = nullptr;
}

}  // namespace
}  // namespace vistrel
