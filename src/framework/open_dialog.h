#pragma once

#include <string>

#include "framework/component.h"

namespace vistrel {

/// The system's dialog for choosing an existing file to open.
class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* owner);

    /// Pairs of a description and its patterns, all separated by '|': "应用程序|*.exe".
    std::wstring Filter;
    /// The chosen file's full path; also the name the dialog starts with.
    std::wstring FileName;
    std::wstring Title;

    /// Shows the dialog and waits; true when the user confirmed a file, which FileName then holds.
    bool Execute();
};

/// A filter as the system takes it: each description and pattern ended by a null, the list by one more.
/// A description without a pattern is left out.
std::wstring open_dialog_filter(const std::wstring& filter);

}  // namespace vistrel
