#include "engine/file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vistrel {

File open_file(const NativePath& path, FileAccess access) {
    static constexpr const char* kModes[] = {"rb", "r+b", "wb"};
    return File(std::fopen(path.c_str(), kModes[static_cast<int>(access)]));
}

bool path_exists(const NativePath& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

bool is_file(const NativePath& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool remove_file(const NativePath& path) {
    return ::unlink(path.c_str()) == 0;
}

bool rename_file(const NativePath& from, const NativePath& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

std::string path_utf8(const NativePath& path) {
    return path;
}

std::string last_failure_reason() {
    return std::strerror(errno);
}

}  // namespace vistrel
