#pragma once

#include "storage/FileIo.h"
#include "storage/OutputFile.h"
#include "storage/StdioOutputFile.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace kilosynth {

// Writes `bytes` to `target` through a temporary file in the target's folder,
// renamed over the target only once every byte is written, flushed and synced.
// On any failure the temporary file is removed and an existing target keeps
// its old content; the result says what went wrong (status WriteFailed).
// `create` makes the temporary file; tests pass one that fails on purpose.
FileResult writeFileAtomically(const std::filesystem::path& target,
                               std::span<const std::uint8_t> bytes,
                               const OutputFileFactory& create = StdioOutputFile::create);

} // namespace kilosynth
