#include "storage/FileIo.h"

#include "storage/AtomicWrite.h"
#include "storage/PatchFile.h"
#include "storage/WavFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <vector>

namespace kilosynth {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using InputFile = std::unique_ptr<std::FILE, FileCloser>;

InputFile openForReading(const std::filesystem::path& path) {
#ifdef _WIN32
    return InputFile(_wfopen(path.c_str(), L"rb"));
#else
    return InputFile(std::fopen(path.c_str(), "rb"));
#endif
}

FileResult cannotOpen(const std::string& what) {
    return {FileResult::Status::CannotOpen, what};
}

std::string lastErrorMessage() {
    return std::error_code(errno != 0 ? errno : EIO, std::generic_category()).message();
}

} // namespace

FileResult readPatchFileBytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        return cannotOpen("it is a folder, not a file");
    }
    errno = 0;
    const InputFile file = openForReading(path);
    if (file == nullptr) {
        return cannotOpen("cannot open the file: " + lastErrorMessage());
    }

    // One byte more than the limit tells a file that is too large without
    // reading it whole (and works for files whose size is not known ahead).
    std::vector<std::uint8_t> data(MaxPatchFileBytes + 1);
    errno = 0;
    const std::size_t count = std::fread(data.data(), 1, data.size(), file.get());
    if (std::ferror(file.get()) != 0) {
        return cannotOpen("cannot read the file: " + lastErrorMessage());
    }
    if (count > MaxPatchFileBytes) {
        return cannotOpen("the file is larger than 64 KiB; a patch file is at most 184 bytes");
    }
    data.resize(count);
    bytes = std::move(data);
    return {};
}

FileResult loadPatchFile(const std::filesystem::path& path, Patch& patch) {
    std::vector<std::uint8_t> bytes;
    if (FileResult result = readPatchFileBytes(path, bytes); !result.ok()) {
        return result;
    }
    const ReadResult result = readPatch(patch, bytes);
    if (!result) {
        return {FileResult::Status::Refused, result.error};
    }
    return {};
}

FileResult savePatchFile(const std::filesystem::path& path, const Patch& patch) {
    return writeFileAtomically(path, encodePatch(patch));
}

FileResult exportWav(const std::filesystem::path& path, const Patch& patch) {
    return writeFileAtomically(path, encodeWav(patch));
}

FileResult exportFloatWav(const std::filesystem::path& path, const Patch& patch) {
    return writeFileAtomically(path, encodeFloatWav(patch));
}

} // namespace kilosynth
