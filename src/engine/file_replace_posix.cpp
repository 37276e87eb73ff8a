#include "engine/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace vistrel {
namespace {

// Best effort: a file system that cannot sync still gets the rename.
void sync_path(const NativePath& path, int flags) {
    const int fd = ::open(path.c_str(), flags);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool replace_file(const NativePath& from, const NativePath& to) {
    sync_path(from, O_RDONLY);
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    // The rename itself is durable only once its folder is.
    const auto slash = to.rfind('/');
    sync_path(slash == NativePath::npos ? NativePath(".") : to.substr(0, slash + 1), O_RDONLY | O_DIRECTORY);
    return true;
}

}  // namespace vistrel
