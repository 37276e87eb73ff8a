#pragma once

#include <string_view>

namespace vistrel {

// What a program task may start: a path that leaves no doubt which file it names, of a kind Windows starts as a
// program. Paths are UTF-8 without the blanks around them (program_path).

/// Whether path is absolute: a drive with its root ("C:\...") or a network share ("\\server\share\..."), with
/// either slash; on a host whose own paths are POSIX, also "/...". A relative path would be looked for in one
/// folder and started from another (the system searches the program's own folder first).
bool is_absolute_path(std::string_view path);

/// Whether Windows starts the file as a program by its extension: .exe, .com, .bat or .cmd, in any letter case.
bool has_program_extension(std::string_view path);

/// Whether a program task may start path: absolute and of a program's kind.
bool is_program_path(std::string_view path);

}  // namespace vistrel
