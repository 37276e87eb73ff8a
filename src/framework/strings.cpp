#include "framework/strings.h"

namespace vistrel {

int TStrings::Add(const std::wstring& text) {
    strings_.push_back(text);
    const int index = Count() - 1;
    Inserted(index);
    return index;
}

void TStrings::Clear() {
    strings_.clear();
    Cleared();
}

}  // namespace vistrel
