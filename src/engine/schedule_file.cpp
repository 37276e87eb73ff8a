#include "engine/schedule_file.h"

#include "engine/file_replace.h"
#include "engine/schedule_image.h"

#include <fstream>
#include <system_error>
#include <vector>

namespace vistrel {
namespace {

std::string utf8_path(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// Everything of the file that can matter: bytes beyond the largest image are never read.
std::vector<std::uint8_t> read_image(std::istream& in) {
    std::vector<std::uint8_t> image(kMaxImageSize);
    in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
    image.resize(static_cast<std::size_t>(in.gcount()));
    in.clear();
    return image;
}

// Writes the standard header over a missing or foreign one, field by field, in place.
void repair_header(std::fstream& file, const std::vector<std::uint8_t>& image) {
    for (const ImagePatch& patch : header_repairs(image)) {
        file.seekp(static_cast<std::streamoff>(patch.offset));
        file.write(reinterpret_cast<const char*>(patch.bytes.data()), static_cast<std::streamsize>(patch.bytes.size()));
    }
    file.flush();
}

bool create_if_missing(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return true;
    }
    return std::ofstream(path, std::ios::binary).is_open();
}

// Where a new image waits, whole, while it is written over the file in place: should that write be cut short, the
// next load finishes it from here, so a half-written file is never read as a schedule.
std::filesystem::path pending_image_path(const std::filesystem::path& path) {
    std::filesystem::path pending = path;
    pending += ".new";
    return pending;
}

std::optional<std::vector<std::uint8_t>> read_whole(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        return std::nullopt;
    }
    return read_image(file);
}

enum class InPlace { written, not_opened, failed };

// Writes bytes over the start of the file, which keeps its name, its handle holders and its length (bytes beyond
// the new image are never read), and reads them back.
InPlace overwrite_in_place(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    if (!file.is_open()) {
        return InPlace::not_opened;
    }
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.flush();
    file.seekg(0);
    std::vector<std::uint8_t> written(bytes.size());
    file.read(reinterpret_cast<char*>(written.data()), static_cast<std::streamsize>(written.size()));
    return file.good() && written == bytes ? InPlace::written : InPlace::failed;
}

// A new image left beside the file by a save cut short: finished into the file when it may be written, else read
// in its place.
std::optional<std::vector<std::uint8_t>> take_pending_image(const std::filesystem::path& path, LoadMode mode) {
    const std::filesystem::path pending_path = pending_image_path(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(pending_path, error)) {
        return std::nullopt;
    }
    auto pending = read_whole(pending_path);
    if (pending && mode == LoadMode::repair && create_if_missing(path) &&
        overwrite_in_place(path, *pending) == InPlace::written) {
        std::filesystem::remove(pending_path, error);
    }
    return pending;
}

std::optional<std::vector<std::uint8_t>> read_file(const std::filesystem::path& path, LoadMode mode) {
    if (auto pending = take_pending_image(path, mode)) {
        return pending;
    }
    if (mode == LoadMode::read_only) {
        return read_whole(path);
    }
    if (!create_if_missing(path)) {
        return std::nullopt;
    }
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    if (!file.is_open()) {
        return std::nullopt;
    }
    auto image = read_image(file);
    repair_header(file, image);
    return image;
}

// When the file cannot be replaced (another program holds it open, sharing it for reading and writing but not for
// deleting, as backup, indexing and sync tools do), the finished new file becomes the pending image and is then
// written over the file in place.
SaveResult write_over_held_file(const std::filesystem::path& temporary,
                                const std::filesystem::path& path,
                                const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path pending = pending_image_path(path);
    std::error_code error;
    std::filesystem::remove(pending, error);
    std::filesystem::rename(temporary, pending, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return SaveResult::cannot_open;
    }
    switch (overwrite_in_place(path, bytes)) {
        case InPlace::written:
            std::filesystem::remove(pending, error);
            return SaveResult::saved;
        case InPlace::not_opened:
            std::filesystem::remove(pending, error);  // the file is as it was
            return SaveResult::cannot_open;
        case InPlace::failed:
            break;  // the pending image stays: the next load finishes the file from it
    }
    return SaveResult::write_failed;
}

// Writes a whole file beside the target and then puts it in the target's place.
SaveResult write_file_atomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file.is_open()) {
        return SaveResult::cannot_open;
    }
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    std::error_code ignored;
    if (file.fail()) {
        std::filesystem::remove(temporary, ignored);
        return SaveResult::write_failed;
    }
    if (!replace_file(temporary, path)) {
        if (!std::filesystem::is_regular_file(path, ignored)) {
            std::filesystem::remove(temporary, ignored);
            return SaveResult::cannot_open;
        }
        return write_over_held_file(temporary, path, bytes);
    }
    std::filesystem::remove(pending_image_path(path), ignored);  // older than what is now in place
    return SaveResult::saved;
}

}  // namespace

LoadResult load_schedule(const std::filesystem::path& path, Schedule& schedule, LoadMode mode) {
    const auto image = read_file(path, mode);
    if (!image) {
        return LoadResult::cannot_open;
    }
    clear_list(schedule.rest_list);
    clear_list(schedule.task_list);
    read_schedule_image(*image, schedule);
    return LoadResult::loaded;
}

SaveResult save_schedule(const std::filesystem::path& path, const Schedule& schedule) {
    return write_file_atomically(path, write_schedule_image(schedule));
}

std::string load_error_message(const std::filesystem::path& path) {
    return "Can not create file: " + utf8_path(path);
}

std::string save_error_message(SaveResult result, const std::filesystem::path& path) {
    switch (result) {
        case SaveResult::saved:
            break;
        case SaveResult::cannot_open:
            return "Can not read file: " + utf8_path(path);
        case SaveResult::write_failed:
            return "save error!";
    }
    return {};
}

std::optional<ScheduleSource> startup_schedule_source(const std::filesystem::path& user_file,
                                                      const std::filesystem::path& shared_file) {
    std::error_code error;
    if (std::filesystem::exists(user_file, error)) {
        return ScheduleSource{user_file, LoadMode::repair};
    }
    if (std::filesystem::exists(shared_file, error)) {
        return ScheduleSource{shared_file, LoadMode::read_only};
    }
    return std::nullopt;
}

}  // namespace vistrel
