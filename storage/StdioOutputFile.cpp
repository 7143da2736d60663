#include "storage/StdioOutputFile.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kilosynth {

namespace {

std::error_code lastError() {
    // Some failures leave errno at 0; still report a failure.
    return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

} // namespace

std::unique_ptr<OutputFile> StdioOutputFile::create(const std::filesystem::path& path,
                                                    std::error_code& error) {
    errno = 0;
#ifdef _WIN32
    std::FILE* file = _wfopen(path.c_str(), L"wbx");
#else
    std::FILE* file = std::fopen(path.c_str(), "wbx");
#endif
    if (file == nullptr) {
        error = lastError();
        return nullptr;
    }
    error.clear();
    return std::unique_ptr<OutputFile>(new StdioOutputFile(file));
}

StdioOutputFile::~StdioOutputFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

std::error_code StdioOutputFile::write(std::span<const std::uint8_t> bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        return lastError();
    }
    return {};
}

std::error_code StdioOutputFile::sync() {
    errno = 0;
    if (std::fflush(file_) != 0) {
        return lastError();
    }
#ifdef _WIN32
    const int result = _commit(_fileno(file_));
#else
    const int result = fsync(fileno(file_));
#endif
    if (result != 0) {
        return lastError();
    }
    return {};
}

std::error_code StdioOutputFile::close() {
    if (file_ == nullptr) {
        return {};
    }
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    if (std::fclose(file) != 0) {
        return lastError();
    }
    return {};
}

} // namespace kilosynth
