#include "engine/schedule_file.h"

#include "engine/file_replace.h"
#include "engine/file_system.h"
#include "engine/schedule_image.h"

#include <cstdio>
#include <string_view>
#include <vector>

namespace vistrel {
namespace {

// The path with an ASCII suffix added to its file name.
NativePath with_suffix(NativePath path, std::string_view suffix) {
    path.append(suffix.begin(), suffix.end());
    return path;
}

// Everything of the file that can matter: bytes beyond the largest image are never read.
std::vector<std::uint8_t> read_image(std::FILE* file) {
    std::vector<std::uint8_t> image(kMaxImageSize);
    image.resize(std::fread(image.data(), 1, image.size(), file));
    return image;
}

bool write_at(std::FILE* file, std::size_t offset, const std::vector<std::uint8_t>& bytes) {
    return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 &&
           std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// Writes the standard header over a missing or foreign one, field by field, in place.
void repair_header(std::FILE* file, const std::vector<std::uint8_t>& image) {
    for (const ImagePatch& patch : header_repairs(image)) {
        write_at(file, patch.offset, patch.bytes);
    }
    std::fflush(file);
}

bool create_if_missing(const NativePath& path) {
    return path_exists(path) || open_file(path, FileAccess::write_new) != nullptr;
}

// Where a new image waits, whole, while it is written over the file in place: should that write be cut short, the
// next load finishes it from here, so a half-written file is never read as a schedule.
NativePath pending_image_path(const NativePath& path) {
    return with_suffix(path, ".new");
}

std::optional<std::vector<std::uint8_t>> read_whole(const NativePath& path) {
    const File file = open_file(path, FileAccess::read);
    if (!file) {
        return std::nullopt;
    }
    return read_image(file.get());
}

enum class InPlace { written, not_opened, failed };

// Writes bytes over the start of the file, which keeps its name, its handle holders and its length (bytes beyond
// the new image are never read), and reads them back.
InPlace overwrite_in_place(const NativePath& path, const std::vector<std::uint8_t>& bytes) {
    const File file = open_file(path, FileAccess::read_write);
    if (!file) {
        return InPlace::not_opened;
    }
    if (!write_at(file.get(), 0, bytes) || std::fflush(file.get()) != 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return InPlace::failed;
    }
    std::vector<std::uint8_t> written(bytes.size());
    const bool read_back = std::fread(written.data(), 1, written.size(), file.get()) == written.size();
    return read_back && written == bytes ? InPlace::written : InPlace::failed;
}

// A new image left beside the file by a save cut short: finished into the file when it may be written, else read
// in its place.
std::optional<std::vector<std::uint8_t>> take_pending_image(const NativePath& path, LoadMode mode) {
    const NativePath pending_path = pending_image_path(path);
    if (!is_file(pending_path)) {
        return std::nullopt;
    }
    auto pending = read_whole(pending_path);
    if (pending && mode == LoadMode::repair && create_if_missing(path) &&
        overwrite_in_place(path, *pending) == InPlace::written) {
        remove_file(pending_path);
    }
    return pending;
}

std::optional<std::vector<std::uint8_t>> read_file(const NativePath& path, LoadMode mode) {
    if (auto pending = take_pending_image(path, mode)) {
        return pending;
    }
    if (mode == LoadMode::read_only) {
        return read_whole(path);
    }
    if (!create_if_missing(path)) {
        return std::nullopt;
    }
    const File file = open_file(path, FileAccess::read_write);
    if (!file) {
        return std::nullopt;
    }
    auto image = read_image(file.get());
    repair_header(file.get(), image);
    return image;
}

// When the file cannot be replaced (another program holds it open, sharing it for reading and writing but not for
// deleting, as backup, indexing and sync tools do), the finished new file becomes the pending image and is then
// written over the file in place.
SaveResult write_over_held_file(const NativePath& temporary,
                                const NativePath& path,
                                const std::vector<std::uint8_t>& bytes) {
    const NativePath pending = pending_image_path(path);
    remove_file(pending);
    if (!rename_file(temporary, pending)) {
        remove_file(temporary);
        return SaveResult::cannot_open;
    }
    switch (overwrite_in_place(path, bytes)) {
        case InPlace::written:
            remove_file(pending);
            return SaveResult::saved;
        case InPlace::not_opened:
            remove_file(pending);  // the file is as it was
            return SaveResult::cannot_open;
        case InPlace::failed:
            break;  // the pending image stays: the next load finishes the file from it
    }
    return SaveResult::write_failed;
}

// Writes a whole file beside the target and then puts it in the target's place.
SaveResult write_file_atomically(const NativePath& path, const std::vector<std::uint8_t>& bytes) {
    const NativePath temporary = with_suffix(path, ".tmp");
    File file = open_file(temporary, FileAccess::write_new);
    if (!file) {
        return SaveResult::cannot_open;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    const bool closed = std::fclose(file.release()) == 0;  // a write the stream still held can fail here
    if (!written || !closed) {
        remove_file(temporary);
        return SaveResult::write_failed;
    }
    if (!replace_file(temporary, path)) {
        if (!is_file(path)) {
            remove_file(temporary);
            return SaveResult::cannot_open;
        }
        return write_over_held_file(temporary, path, bytes);
    }
    remove_file(pending_image_path(path));  // older than what is now in place
    return SaveResult::saved;
}

}  // namespace

LoadResult load_schedule(const NativePath& path, Schedule& schedule, LoadMode mode) {
    const auto image = read_file(path, mode);
    if (!image) {
        return LoadResult::cannot_open;
    }
    clear_list(schedule.rest_list);
    clear_list(schedule.task_list);
    read_schedule_image(*image, schedule);
    return LoadResult::loaded;
}

SaveResult save_schedule(const NativePath& path, const Schedule& schedule) {
    return write_file_atomically(path, write_schedule_image(schedule));
}

std::string load_error_message(const NativePath& path) {
    return "Can not create file: " + path_utf8(path);
}

std::string save_error_message(SaveResult result, const NativePath& path) {
    switch (result) {
        case SaveResult::saved:
            break;
        case SaveResult::cannot_open:
            return "Can not read file: " + path_utf8(path);
        case SaveResult::write_failed:
            return "save error!";
    }
    return {};
}

std::optional<ScheduleSource> startup_schedule_source(const NativePath& user_file, const NativePath& shared_file) {
    if (path_exists(user_file)) {
        return ScheduleSource{user_file, LoadMode::repair};
    }
    if (path_exists(shared_file)) {
        return ScheduleSource{shared_file, LoadMode::read_only};
    }
    return std::nullopt;
}

}  // namespace vistrel
