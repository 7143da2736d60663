#pragma once

// The bytes of a WAV file holding a Patch's rendered sample: a canonical
// 44-byte RIFF/WAVE header (one "fmt " chunk of 16 bytes, one "data" chunk)
// followed by the samples, mono, at the Patch's rate truncated to an integer.

#include "engine/Patch.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kilosynth {

inline constexpr std::size_t WavHeaderSize = 44;

// 16-bit PCM (format tag 1) of the SampleBuffer's first length * 1024 values.
std::vector<std::uint8_t> encodeWav(const Patch& patch);

// 32-bit IEEE float (format tag 3) of the MixBuffer's first length * 1024
// values, the signal before it is quantised to 16 bits.
std::vector<std::uint8_t> encodeFloatWav(const Patch& patch);

} // namespace kilosynth
