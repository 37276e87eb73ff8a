#include "engine/program_path.h"

#include <algorithm>
#include <array>
#include <optional>

#include "engine/program_path_platform.h"

namespace vistrel {
namespace {

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

bool is_ascii_letter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether text ends with a lower-case ASCII end, in any letter case.
bool ends_with_ignoring_case(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && std::equal(end.begin(), end.end(), text.end() - end.size(),
                                                   [](char wanted, char c) { return ascii_lower(c) == wanted; });
}

// "C:\" and what follows.
bool is_drive_rooted(std::string_view path) {
    return path.size() >= 3 && is_ascii_letter(path[0]) && path[1] == ':' && is_separator(path[2]);
}

// What follows the next part of a path and its separator; none when that part is empty or not followed by one.
std::optional<std::string_view> after_part(std::string_view path) {
    const auto separator = std::find_if(path.begin(), path.end(), is_separator);
    if (separator == path.begin() || separator == path.end()) {
        return std::nullopt;
    }
    return path.substr(static_cast<std::size_t>(separator - path.begin()) + 1);
}

// "\\server\share\" and what follows.
bool is_share_path(std::string_view path) {
    if (path.size() < 2 || !is_separator(path[0]) || !is_separator(path[1])) {
        return false;
    }
    const auto share = after_part(path.substr(2));
    return share && after_part(*share);
}

}  // namespace

bool is_absolute_path(std::string_view path) {
    return is_drive_rooted(path) || is_share_path(path) || detail::is_host_absolute_path(path);
}

bool has_program_extension(std::string_view path) {
    constexpr std::array<std::string_view, 4> kExtensions = {".exe", ".com", ".bat", ".cmd"};
    return std::any_of(kExtensions.begin(), kExtensions.end(),
                       [path](std::string_view extension) { return ends_with_ignoring_case(path, extension); });
}

bool is_program_path(std::string_view path) {
    return is_absolute_path(path) && has_program_extension(path);
}

}  // namespace vistrel
