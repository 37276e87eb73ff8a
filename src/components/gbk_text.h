#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vistrel {

/// Bytes a text takes in GBK, the program's byte code page, counted with the engine's codec. A character GBK
/// cannot store counts one byte: the "?" that takes its place there.
std::size_t gbk_length(std::wstring_view text);

/// The longest start of a text that takes at most `max_bytes` bytes in GBK; a cut never splits a character,
/// nor the two halves of a UTF-16 surrogate pair.
std::wstring cut_to_gbk_bytes(std::wstring_view text, std::size_t max_bytes);

}  // namespace vistrel
