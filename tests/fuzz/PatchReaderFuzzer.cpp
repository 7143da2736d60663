// libFuzzer target: any bytes through readPatch, and whatever it accepts
// through the render and both writers. Crashes and sanitizer reports are
// failures, and so is a broken promise of the reader or writer (trap).

#include "storage/PatchFile.h"
#include "storage/WavFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

using kilosynth::Patch;

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One Patch for the whole run (its buffers are large), put back to its
    // defaults for every input so each input starts from the same state.
    static Patch patch;
    static const std::vector<std::uint8_t> defaultFile = kilosynth::encodePatch(patch);
    patch.restoreDefaults();

    const std::span<const std::uint8_t> bytes(data, size);
    if (!kilosynth::readPatch(patch, bytes)) {
        // A refused file changes nothing.
        require(patch.length == kilosynth::MaxLength && patch.rate == 44100.0f);
        require(kilosynth::encodePatch(patch) == defaultFile);
        return 0;
    }
    require(patch.length <= kilosynth::MaxLength);

    patch.render();
    const int n = patch.sampleCount();
    for (int i = 0; i < n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        require(patch.sample[at] >= -32767);
        require(patch.mix[at] >= -1.0f && patch.mix[at] <= 1.0f);
    }

    // Saving gives back the bytes that were read, but for the leading byte
    // and the rate code, which the writer always writes as 38 and 3.
    const std::vector<std::uint8_t> saved = kilosynth::encodePatch(patch);
    require(saved.size() == kilosynth::patchFileSize(patch) && saved.size() <= size);
    for (std::size_t k = 1; k < saved.size(); ++k) {
        require(k == 4 || saved[k] == bytes[k]);
    }
    require(kilosynth::unstorableFields(patch).size() == (patch.rate == 44100.0f ? 0u : 1u));

    const auto wav = kilosynth::encodeWav(patch);
    require(wav.size() == kilosynth::WavHeaderSize + static_cast<std::size_t>(n) * 2);
    return 0;
}
