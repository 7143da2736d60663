#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <system_error>

namespace kilosynth {

// A new file being written. The atomic writer reaches the disk only through
// this interface, so tests can stand in a file that fails part-way.
class OutputFile {
public:
    OutputFile() = default;
    virtual ~OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Each returns an empty error_code on success, else the reason.
    virtual std::error_code write(std::span<const std::uint8_t> bytes) = 0;
    // Pushes everything written so far to the disk (flush, then fsync).
    virtual std::error_code sync() = 0;
    virtual std::error_code close() = 0;
};

// Creates a new, empty file at a path, failing (null, with the reason in
// `error`) if anything exists there already.
using OutputFileFactory = std::function<std::unique_ptr<OutputFile>(
    const std::filesystem::path& path, std::error_code& error)>;

} // namespace kilosynth
