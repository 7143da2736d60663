#pragma once

// Contract for the patch file format (TRQ). Implemented in storage/PatchFile.cpp.

#include "engine/Patch.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace kilosynth {

// Outcome of reading patch data: ok, or refused with a plain-words reason.
struct ReadResult {
    bool ok = true;
    std::string error; // empty when ok, e.g. "sample length 45 exceeds 38 blocks"
    explicit operator bool() const { return ok; }
};

// Writes the Patch in the file layout to `out` (does not close it).
void writePatch(const Patch& patch, std::ostream& out);

// The bytes writePatch would write.
std::vector<std::uint8_t> encodePatch(const Patch& patch);

// The size in bytes of the Patch as a file, 12 to 184.
std::size_t patchFileSize(const Patch& patch);

// The fields the file cannot store as they are (modulation sources naming
// osc8), in plain words such as "osc2 frequency source (osc8)"; they are
// written as none. Empty when everything is stored exactly.
std::vector<std::string> unstorableFields(const Patch& patch);

// Applies a whole file held in memory to the Patch. Checks everything first;
// a refused file changes nothing in the Patch.
ReadResult readPatch(Patch& patch, std::span<const std::uint8_t> data);

} // namespace kilosynth
