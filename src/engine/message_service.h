#pragma once

#include <string_view>

namespace vistrel {

/// The info dialog as the engine uses it; texts are UTF-8.
class MessageService {
public:
    /// Dialog types and the result that counts as consent.
    static constexpr int kPlain = 0;
    static constexpr int kWarning = 48;
    static constexpr int kConfirm = 49;
    static constexpr int kOk = 1;

    virtual ~MessageService() = default;

    /// The deferred-show flag: when set, the next request returns at once and its dialog opens from the message loop.
    virtual void SetPostShow(bool post_show) = 0;
    /// Shows text under caption; returns the pressed button (at once, with no answer, when deferred).
    virtual int MessageDlg(std::string_view text, std::string_view caption, int type) = 0;
    /// Shows text under the application's title.
    virtual void ShowMessage(std::string_view text) = 0;
    /// Closes the dialog if one is open.
    virtual void CloseDialog() = 0;
};

}  // namespace vistrel
