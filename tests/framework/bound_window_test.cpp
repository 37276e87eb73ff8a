#include "framework/bound_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/utility_window.h"
#include "test_support.h"

namespace vistrel {
namespace {

using testing_support::pump_messages;

// A window of its own class whose messages go to a function the test sets.
class ProbeWindow : public BoundWindow {
public:
    std::function<std::optional<LRESULT>(UINT message)> on_message;

    void make(TCreateParams params) {
        params.class_name = L"VistrelProbeWindow";
        create_window(params);
    }
    HWND window() const { return hwnd(); }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (on_message) {
            if (auto result = on_message(message)) {
                return *result;
            }
        }
        return DefaultHandler(message, wparam, lparam);
    }
};

// Collects what reaches the application's error display while it lives.
class ReportedErrors {
public:
    ReportedErrors() {
        Application().OnException = [this](const std::exception_ptr& error) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                messages.emplace_back(e.what());
            }
        };
    }
    ReportedErrors(const ReportedErrors&) = delete;
    ReportedErrors& operator=(const ReportedErrors&) = delete;
    ~ReportedErrors() { Application().OnException = nullptr; }

    std::vector<std::string> messages;
};

TEST(BoundWindow, AWindowThatCannotBeMadeIsAnError) {
    struct Case {
        const char* name;
        DWORD style;
        bool refuse_create;  // WM_CREATE answers -1
    };
    const Case cases[] = {
        {"a child window without a parent", WS_CHILD, false},
        {"refused by its own WM_CREATE", WS_POPUP, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProbeWindow probe;
        probe.on_message = [&](UINT message) -> std::optional<LRESULT> {
            if (message == WM_CREATE && c.refuse_create) {
                return -1;
            }
            return std::nullopt;
        };
        TCreateParams params;
        params.style = c.style;
        EXPECT_THROW(probe.make(params), std::system_error);
        EXPECT_EQ(probe.window(), nullptr);
    }
}

TEST(BoundWindow, AControlThatCannotMakeItsWindowThrows) {
    class Orphan : public TWinControl {
    public:
        using TWinControl::TWinControl;

    protected:
        void CreateParams(TCreateParams& params) override {
            TWinControl::CreateParams(params);
            params.parent = nullptr;  // a child window with no parent: the system refuses it
        }
    };
    Orphan orphan(nullptr);
    EXPECT_THROW(orphan.Handle(), std::system_error);
    EXPECT_FALSE(orphan.HandleAllocated());
}

TEST(BoundWindow, IsBoundFromCreationToDestruction) {
    ProbeWindow probe;
    std::vector<UINT> seen;
    probe.on_message = [&](UINT message) -> std::optional<LRESULT> {
        seen.push_back(message);
        return std::nullopt;
    };
    probe.make({});
    EXPECT_EQ(seen.front(), static_cast<UINT>(WM_NCCREATE));  // bound before the first message of creation
    EXPECT_EQ(BoundWindow::FromWindow(probe.window()), &probe);
    // Destroyed from outside: the object lets go of the window at WM_NCDESTROY.
    const HWND window = probe.window();
    DestroyWindow(window);
    EXPECT_EQ(probe.window(), nullptr);
    EXPECT_EQ(BoundWindow::FromWindow(window), nullptr);
    EXPECT_EQ(seen.back(), static_cast<UINT>(WM_DESTROY));
}

TEST(BoundWindow, ControlsAndUtilityWindowsLetGoOfAWindowDestroyedFromOutside) {
    TForm form(nullptr);
    auto* child = new TForm(&form);  // any windowed control
    child->SetParent(&form);
    child->SetVisible(true);  // a hidden child gets its window only when shown or asked for
    form.HandleNeeded();
    ASSERT_TRUE(child->HandleAllocated());
    DestroyWindow(form.Handle());  // the system takes the child's window with it
    EXPECT_FALSE(child->HandleAllocated());
    EXPECT_FALSE(form.HandleAllocated());

    UtilityWindow utility([](UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    DestroyWindow(utility.handle());
    EXPECT_EQ(utility.handle(), nullptr);
}

TEST(BoundWindow, AnErrorOfAnyWindowIsReportedOnce) {
    ReportedErrors errors;
    UtilityWindow utility([](UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_APP) {
            throw std::runtime_error("utility failed");
        }
        return 0;
    });
    SendMessageW(utility.handle(), WM_APP, 0, 0);

    // A painting that fails is not asked for again and again.
    ProbeWindow probe;
    probe.on_message = [](UINT message) -> std::optional<LRESULT> {
        if (message == WM_PAINT) {
            throw std::runtime_error("paint failed");
        }
        return std::nullopt;
    };
    TCreateParams params;
    params.style = WS_POPUP | WS_VISIBLE;
    params.width = 50;
    params.height = 50;
    probe.make(params);
    pump_messages(200);
    EXPECT_EQ(errors.messages, (std::vector<std::string>{"utility failed", "paint failed"}));
}

}  // namespace
}  // namespace vistrel
