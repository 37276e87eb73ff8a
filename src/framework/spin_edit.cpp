#include "framework/spin_edit.h"

#include <algorithm>
#include <cwctype>
#include <optional>
#include <string>
#include <system_error>

#include "win32/unique_handle.h"

namespace vistrel {
namespace {

void require_up_down_class() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_UPDOWN_CLASS};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;
}

// The arrows' width in pixels of the 96-DPI layout, like every size of the program. Windows tells a program unaware of
// DPI the 96-DPI width on any screen; wine tells the screen's own, which on a 144-DPI screen would leave a field of
// the program's layout no room for two digits.
int arrows_width() {
    const WindowDc screen(nullptr);
    return MulDiv(GetSystemMetrics(SM_CXVSCROLL), 96, GetDeviceCaps(screen.get(), LOGPIXELSX));
}

// An optional sign and digits between blanks; numbers too long to matter saturate.
std::optional<long long> parse_number(const std::wstring& text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) {
        return std::nullopt;
    }
    const auto last = text.find_last_not_of(L' ');
    std::size_t at = first;
    const bool negative = text[at] == L'-';
    if (text[at] == L'-' || text[at] == L'+') {
        ++at;
    }
    if (at > last) {
        return std::nullopt;
    }
    long long value = 0;
    for (; at <= last; ++at) {
        if (text[at] < L'0' || text[at] > L'9') {
            return std::nullopt;
        }
        value = std::min(value * 10 + (text[at] - L'0'), 1LL << 40);
    }
    return negative ? -value : value;
}

}  // namespace

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
    SetText(L"0");
}

void TSpinEdit::CreateParams(TCreateParams& params) {
    require_up_down_class();
    TCustomEdit::CreateParams(params);
    params.class_name = L"VistrelSpinEdit";
    params.style |= WS_CLIPCHILDREN;
}

void TSpinEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    arrows_.reset(CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Handle(), nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    if (!arrows_) {
        // As for every window of ours: one that cannot be made is an error.
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "Cannot create the up-down arrows");
    }
    // The arrows' own position never moves: each step is taken from the text (see handle_message).
    SendMessageW(arrows_.get(), UDM_SETRANGE32, 0, 2);
    SendMessageW(arrows_.get(), UDM_SETPOS32, 0, 1);
    place_arrows();
}

void TSpinEdit::DestroyWnd() {
    arrows_.reset();
    TCustomEdit::DestroyWnd();
}

void TSpinEdit::place_arrows() {
    if (!arrows_) {
        return;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = arrows_width();
    SetWindowPos(arrows_.get(), nullptr, client.right - width, 0, width, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    // Keeps the text clear of the arrows.
    SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

void TSpinEdit::BoundsChanged(bool resized) {
    TCustomEdit::BoundsChanged(resized);
    if (resized) {
        place_arrows();
    }
}

void TSpinEdit::FontChanged() {
    TCustomEdit::FontChanged();
    place_arrows();
}

int TSpinEdit::clamp(long long value) const {
    // Written so that a minimum above the maximum wins instead of being undefined.
    return static_cast<int>(std::max<long long>(min_value_, std::min<long long>(value, max_value_)));
}

int TSpinEdit::Value() const {
    // Reading clamps too: a value typed out of range counts as the nearest bound even before the field
    // loses the focus, so nobody acts on a number the field would not keep.
    const auto number = parse_number(Text());
    return number ? clamp(*number) : min_value_;
}

void TSpinEdit::SetValue(int value) {
    SetText(std::to_wstring(clamp(value)));
}

void TSpinEdit::step(int direction) {
    if (!ReadOnly()) {
        SetValue(clamp(static_cast<long long>(Value()) + static_cast<long long>(direction) * Increment));
    }
}

void TSpinEdit::KeyDown(WORD& key, TShiftState shift) {
    TCustomEdit::KeyDown(key, shift);
    if (key == VK_UP || key == VK_DOWN) {
        step(key == VK_UP ? 1 : -1);
        key = 0;
    }
}

void TSpinEdit::KeyPress(wchar_t& key) {
    TCustomEdit::KeyPress(key);
    // Control characters (backspace, clipboard keys) pass; of the printable ones, only what a number holds.
    if (key >= L' ' && !std::iswdigit(key) && key != L'-' && key != L'+') {
        key = 0;
        MessageBeep(0);
    }
}

LRESULT TSpinEdit::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
            if (header.hwndFrom == arrows_.get() && header.code == UDN_DELTAPOS) {
                step(reinterpret_cast<const NMUPDOWN*>(lparam)->iDelta > 0 ? 1 : -1);
                return TRUE;  // the arrows keep their position
            }
            break;
        }
        case WM_VSCROLL:
            if (reinterpret_cast<HWND>(lparam) == arrows_.get()) {
                return 0;
            }
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = TCustomEdit::handle_message(message, wparam, lparam);
            SetValue(Value());
            return result;
        }
        case WM_DESTROY:
            arrows_.reset();
            break;
        case WM_PAINT: {
            // Some edit controls (wine's, once the field has had the focus) paint their whole client area, the
            // arrows' part too: the arrows paint themselves again after every paint of the field.
            const LRESULT result = TCustomEdit::handle_message(message, wparam, lparam);
            RedrawWindow(arrows_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return result;
        }
        default:
            break;
    }
    return TCustomEdit::handle_message(message, wparam, lparam);
}

}  // namespace vistrel
