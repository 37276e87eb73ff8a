#pragma once

#include <string>
#include <vector>

namespace vistrel {

/// A list of texts that tells its holder (a combo box, a list item) of every change.
class TStrings {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;
    virtual ~TStrings() = default;

    int Count() const { return static_cast<int>(strings_.size()); }
    const std::wstring& operator[](int index) const { return strings_.at(static_cast<std::size_t>(index)); }
    /// Appends a text and returns its index.
    int Add(const std::wstring& text);
    void Clear();

protected:
    virtual void Inserted(int index) = 0;
    virtual void Cleared() = 0;

private:
    std::vector<std::wstring> strings_;
};

}  // namespace vistrel
