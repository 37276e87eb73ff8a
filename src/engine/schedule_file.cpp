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

std::optional<std::vector<std::uint8_t>> read_file(const std::filesystem::path& path, LoadMode mode) {
    if (mode == LoadMode::read_only) {
        std::ifstream file(path, std::ios::binary);
        if (!file.is_open()) {
            return std::nullopt;
        }
        return read_image(file);
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
        std::filesystem::remove(temporary, ignored);
        return SaveResult::cannot_open;
    }
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
