#pragma once

// Contract for reading and writing files on disk. Implemented in storage/.

#include "engine/Patch.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kilosynth {

// The largest file loadPatchFile reads; anything larger is refused unread
// (a patch file is at most 184 bytes).
inline constexpr std::size_t MaxPatchFileBytes = 64 * 1024;

struct FileResult {
    enum class Status {
        Ok,
        CannotOpen, // missing, unreadable, a directory, or too large to be a patch
        Refused,    // opened, but the content is not a patch this program can load
        WriteFailed // could not create, write, flush or rename; nothing was left behind
    };
    Status status = Status::Ok;
    std::string error; // plain words naming what went wrong; empty when Ok
    bool ok() const { return status == Status::Ok; }
};

// Reads a patch file into the Patch (unchanged unless Ok).
FileResult loadPatchFile(const std::filesystem::path& path, Patch& patch);

// Reads a whole file of at most MaxPatchFileBytes into `bytes`, as
// loadPatchFile does before it applies them (CannotOpen on failure). For
// tools that look at the bytes themselves.
FileResult readPatchFileBytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes);

// Writes the Patch as a patch file, atomically: a temporary file in the same
// folder is renamed over `path` only when complete and flushed.
FileResult savePatchFile(const std::filesystem::path& path, const Patch& patch);

// Writes the SampleBuffer's first length * 1024 values as a 16-bit mono WAV
// at the Patch's rate (truncated to an integer), atomically.
FileResult exportWav(const std::filesystem::path& path, const Patch& patch);

// Writes the MixBuffer's first length * 1024 values as a 32-bit float WAV
// (format tag 3), atomically.
FileResult exportFloatWav(const std::filesystem::path& path, const Patch& patch);

} // namespace kilosynth
