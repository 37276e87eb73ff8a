#pragma once

#include <cstdio>
#include <filesystem>  // for the native path type only
#include <memory>
#include <string>

// The few file operations the schedule file needs, by the platform's own C calls. Neither iostreams nor
// std::filesystem: linked statically, either brings the C++ library's locale machinery into the program, some
// 800 KB of code mapped at every start.
namespace vistrel {

/// A path in the platform's own characters: UTF-16 on Windows, bytes elsewhere. std::filesystem::path converts
/// to and from it, so callers that have that class (tests, tools) pass theirs.
using NativePath = std::filesystem::path::string_type;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

enum class FileAccess {
    read,        // an existing file, from its start
    read_write,  // an existing file, read and written in place
    write_new,   // created or emptied, then written
};

/// Opens the file at path as binary; null when it cannot be opened.
File open_file(const NativePath& path, FileAccess access);

/// Whether anything (a file or a folder) is at path.
bool path_exists(const NativePath& path);
/// Whether a file (not a folder) is at path.
bool is_file(const NativePath& path);
/// Removes the file at path; false when there was none or it could not be removed.
bool remove_file(const NativePath& path);
/// Renames a file within its folder, over a file of the new name; false when that failed.
bool rename_file(const NativePath& from, const NativePath& to);
/// The path as UTF-8 text, for messages.
std::string path_utf8(const NativePath& path);

/// The system's words (UTF-8) for why the call of this layer, or of the C streams on a File, that just failed
/// failed: to be read at once, before another call changes it.
std::string last_failure_reason();

}  // namespace vistrel
