#include "storage/AtomicWrite.h"

#include <cstdio>
#include <random>
#include <string>

namespace kilosynth {

namespace {

FileResult writeFailed(const std::string& what, std::error_code error) {
    return {FileResult::Status::WriteFailed, what + ": " + error.message()};
}

// ".NAME.1a2b3c4d.tmp" beside the target: hidden on Unix, and on the same
// file system, so the final rename replaces the target in one step.
std::filesystem::path temporaryPathFor(const std::filesystem::path& target) {
    static thread_local std::mt19937 generator{std::random_device{}()};
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(generator()));
    std::filesystem::path name = ".";
    name += target.filename();
    name += suffix;
    return target.parent_path() / name;
}

// Removes the temporary file when the write does not get as far as the rename.
class TemporaryFile {
public:
    explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void keep() { path_.clear(); }

private:
    std::filesystem::path path_;
};

} // namespace

FileResult writeFileAtomically(const std::filesystem::path& target,
                               std::span<const std::uint8_t> bytes,
                               const OutputFileFactory& create) {
    if (!target.has_filename()) {
        return {FileResult::Status::WriteFailed, "the path names a folder, not a file"};
    }
    std::error_code error;
    const auto targetStatus = std::filesystem::status(target, error);
    if (std::filesystem::is_directory(targetStatus)) {
        return {FileResult::Status::WriteFailed, "it is a folder, not a file"};
    }

    // A name that happens to exist already is simply tried again.
    std::unique_ptr<OutputFile> file;
    std::filesystem::path temporaryPath;
    constexpr int Attempts = 16;
    for (int attempt = 0; attempt < Attempts && file == nullptr; ++attempt) {
        temporaryPath = temporaryPathFor(target);
        file = create(temporaryPath, error);
        if (file == nullptr && error != std::errc::file_exists) {
            break;
        }
    }
    if (file == nullptr) {
        return writeFailed("cannot create the file", error);
    }
    TemporaryFile temporary(temporaryPath);

    if ((error = file->write(bytes))) {
        file->close();
        return writeFailed("cannot write the file", error);
    }
    if ((error = file->sync())) {
        file->close();
        return writeFailed("cannot flush the file to disk", error);
    }
    if ((error = file->close())) {
        return writeFailed("cannot close the file", error);
    }

    // A replaced file keeps its permissions. Best effort: the content is what
    // must not be lost, and the new file is readable either way.
    if (std::filesystem::is_regular_file(targetStatus)) {
        std::error_code ignored;
        std::filesystem::permissions(temporary.path(), targetStatus.permissions(), ignored);
    }

    std::filesystem::rename(temporary.path(), target, error);
    if (error) {
        return writeFailed("cannot put the finished file in place", error);
    }
    temporary.keep();
    return {};
}

} // namespace kilosynth
