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

// The failure of the call that just failed on the file at path.
FileFailure failure_at(const NativePath& path, bool writing) {
    return {path, writing, last_failure_reason()};
}

constexpr bool kReading = false;
constexpr bool kWriting = true;

bool write_at(std::FILE* file, std::size_t offset, const std::vector<std::uint8_t>& bytes) {
    return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 &&
           std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

bool create_if_missing(const NativePath& path) {
    return path_exists(path) || open_file(path, FileAccess::write_new) != nullptr;
}

// Where a new image waits, whole, while it is written over the file in place: should that write be cut short, the
// next load finishes it from here, so a half-written file is never read as a schedule.
NativePath pending_image_path(const NativePath& path) {
    return with_suffix(path, ".new");
}

// The bytes of a file that can matter (bytes beyond the largest image are never read), or why it could not be read.
struct FileBytes {
    std::optional<std::vector<std::uint8_t>> bytes;
    FileFailure failure;
};

FileBytes read_whole(const NativePath& path) {
    const File file = open_file(path, FileAccess::read);
    if (!file) {
        return {std::nullopt, failure_at(path, kReading)};
    }
    std::vector<std::uint8_t> image(kMaxImageSize);
    image.resize(std::fread(image.data(), 1, image.size(), file.get()));
    if (std::ferror(file.get()) != 0) {
        return {std::nullopt, failure_at(path, kReading)};
    }
    return {std::move(image), {}};
}

enum class InPlace { written, not_opened, failed };

struct InPlaceWrite {
    InPlace result = InPlace::written;
    FileFailure failure;  // unless written
};

// Writes bytes over the start of the file, which keeps its name, its handle holders and its length (bytes beyond
// the new image are never read), and reads them back.
InPlaceWrite overwrite_in_place(const NativePath& path, const std::vector<std::uint8_t>& bytes) {
    const File file = open_file(path, FileAccess::read_write);
    if (!file) {
        return {InPlace::not_opened, failure_at(path, kWriting)};
    }
    if (!write_at(file.get(), 0, bytes) || std::fflush(file.get()) != 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return {InPlace::failed, failure_at(path, kWriting)};
    }
    std::vector<std::uint8_t> written(bytes.size());
    if (std::fread(written.data(), 1, written.size(), file.get()) != written.size()) {
        return {InPlace::failed, failure_at(path, kReading)};
    }
    if (written != bytes) {
        return {InPlace::failed, {path, kWriting, "the bytes read back differ from those written"}};
    }
    return {};
}

// A new image left beside the file by a save cut short: finished into the file when it may be written, else read
// in its place.
std::optional<std::vector<std::uint8_t>> take_pending_image(const NativePath& path, LoadMode mode) {
    const NativePath pending_path = pending_image_path(path);
    if (!is_file(pending_path)) {
        return std::nullopt;
    }
    auto pending = read_whole(pending_path).bytes;
    if (pending && mode == LoadMode::repair && create_if_missing(path) &&
        overwrite_in_place(path, *pending).result == InPlace::written) {
        remove_file(pending_path);
    }
    return pending;
}

// Reading never needs the file to be writable: a file the user made read-only still runs its timetable.
FileBytes read_file(const NativePath& path, LoadMode mode) {
    if (auto pending = take_pending_image(path, mode)) {
        return {std::move(pending), {}};
    }
    return read_whole(path);
}

// When the file cannot be replaced (another program holds it open, sharing it for reading and writing but not for
// deleting, as backup, indexing and sync tools do), the finished new file becomes the pending image and is then
// written over the file in place.
SaveReport write_over_held_file(const NativePath& temporary,
                                const NativePath& path,
                                const std::vector<std::uint8_t>& bytes) {
    const NativePath pending = pending_image_path(path);
    remove_file(pending);
    if (!rename_file(temporary, pending)) {
        SaveReport report{SaveResult::cannot_open, failure_at(path, kWriting)};
        remove_file(temporary);
        return report;
    }
    InPlaceWrite write = overwrite_in_place(path, bytes);
    switch (write.result) {
        case InPlace::written:
            remove_file(pending);
            return {};
        case InPlace::not_opened:
            remove_file(pending);  // the file is as it was
            return {SaveResult::cannot_open, std::move(write.failure)};
        case InPlace::failed:
            break;  // the pending image stays: the next load finishes the file from it
    }
    return {SaveResult::write_failed, std::move(write.failure)};
}

// Writes a whole file beside the target and then puts it in the target's place.
SaveReport write_file_atomically(const NativePath& path, const std::vector<std::uint8_t>& bytes) {
    const NativePath temporary = with_suffix(path, ".tmp");
    File file = open_file(temporary, FileAccess::write_new);
    if (!file) {
        return {SaveResult::cannot_open, failure_at(path, kWriting)};
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    const bool closed = std::fclose(file.release()) == 0;  // a write the stream still held can fail here
    if (!written || !closed) {
        SaveReport report{SaveResult::write_failed, failure_at(path, kWriting)};
        remove_file(temporary);
        return report;
    }
    if (!replace_file(temporary, path)) {
        FileFailure failure = failure_at(path, kWriting);
        if (!is_file(path)) {
            remove_file(temporary);
            return {SaveResult::cannot_open, std::move(failure)};
        }
        return write_over_held_file(temporary, path, bytes);
    }
    remove_file(pending_image_path(path));  // older than what is now in place
    return {};
}

// Copies the file at from over the file at to, whatever its size; the failure names the file that failed.
std::optional<FileFailure> copy_file(const NativePath& from, const NativePath& to) {
    const File source = open_file(from, FileAccess::read);
    if (!source) {
        return failure_at(from, kReading);
    }
    File target = open_file(to, FileAccess::write_new);
    if (!target) {
        return failure_at(to, kWriting);
    }
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), source.get());
        if (std::ferror(source.get()) != 0) {
            return failure_at(from, kReading);
        }
        if (std::fwrite(buffer.data(), 1, got, target.get()) != got) {
            return failure_at(to, kWriting);
        }
        if (got < buffer.size()) {
            break;
        }
    }
    if (std::fclose(target.release()) != 0) {
        return failure_at(to, kWriting);
    }
    return std::nullopt;
}

}  // namespace

LoadReport load_schedule(const NativePath& path, Schedule& schedule, LoadMode mode) {
    clear_list(schedule.rest_list);
    clear_list(schedule.task_list);
    FileBytes file = read_file(path, mode);
    if (!file.bytes) {
        return {LoadResult::cannot_open, 0, std::move(file.failure)};
    }
    const ImageContents contents = read_schedule_image(*file.bytes, schedule);
    if (!contents.schedule) {
        return {LoadResult::unreadable, 0, {}};
    }
    return {LoadResult::loaded, contents.left_out, {}};
}

SaveReport save_schedule(const NativePath& path, const Schedule& schedule) {
    return write_file_atomically(path, write_schedule_image(schedule));
}

std::string file_failure_message(const FileFailure& failure) {
    return (failure.writing ? "Can not write file: " : "Can not read file: ") + path_utf8(failure.path) + "\r\n" +
           failure.reason;
}

std::string damaged_file_message(const LoadReport& report, const NativePath& path) {
    if (report.result == LoadResult::unreadable) {
        return "数据文件已损坏，无法读取，已改用标准休息时间表！\r\n" + path_utf8(path);
    }
    if (report.left_out > 0) {
        return "数据文件中有" + std::to_string(report.left_out) + "项已损坏，已略去！\r\n" + path_utf8(path);
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

NativePath ScheduleFile::kept_path() const {
    return with_suffix(path_, ".bad");
}

LoadReport ScheduleFile::load(Schedule& schedule, const ScheduleSource& source) {
    LoadReport report = load_schedule(source.path, schedule, source.mode);
    // Another file read in this one's place stays as it is: there is nothing of it to keep.
    keep_before_save_ = report.damaged() && source.path == path_;
    return report;
}

SaveReport ScheduleFile::save(const Schedule& schedule) {
    // Once only: a later save goes over what this program wrote.
    if (keep_before_save_ && is_file(path_)) {
        if (auto failure = copy_file(path_, kept_path())) {
            return {SaveResult::cannot_open, std::move(*failure)};
        }
    }
    keep_before_save_ = false;
    return save_schedule(path_, schedule);
}

}  // namespace vistrel
