#pragma once

#include "storage/OutputFile.h"

#include <cstdio>

namespace kilosynth {

// An OutputFile on a C stdio stream, synced with fsync (_commit on Windows).
class StdioOutputFile final : public OutputFile {
public:
    // Creates the file exclusively (mode "wbx"): never opens an existing one.
    static std::unique_ptr<OutputFile> create(const std::filesystem::path& path,
                                              std::error_code& error);

    ~StdioOutputFile() override;

    std::error_code write(std::span<const std::uint8_t> bytes) override;
    std::error_code sync() override;
    std::error_code close() override;

private:
    explicit StdioOutputFile(std::FILE* file) : file_(file) {}

    std::FILE* file_;
};

} // namespace kilosynth
