#pragma once

#include <bit>
#include <cstdint>

namespace kilosynth {

// One Block is 1024 samples; a Patch's sample is `length` Blocks long.
inline constexpr int BlockSize = 1024;

// The largest sample, in Blocks. Every engine buffer is sized for it once.
inline constexpr int MaxLength = 38;
inline constexpr int MaxSamples = MaxLength * BlockSize;

// The float nearest 1/255: scales byte parameters to 0..1. Slightly above 1/255,
// so 255 * ByteScale rounds to exactly 1.0f.
inline constexpr float ByteScale = std::bit_cast<float>(0x3B808081u);

// The float nearest 1/127: master volume 127 is unity gain.
inline constexpr float VolumeScale = std::bit_cast<float>(0x3C010204u);

// The float nearest 1/32767 (2^-15 + 2^-30): scales a noise draw.
inline constexpr float NoiseScale = std::bit_cast<float>(0x38000100u);

// The double nearest 2*pi.
inline constexpr double TwoPi = 6.283185307179586;

// A modulation source: -1 (any negative value) is none, 0..7 env1..env8,
// 8..15 osc1..osc8, 16 the sequencer's frequency curve.
using ModSource = std::int8_t;
inline constexpr ModSource SourceNone = -1;
inline constexpr int SourceCount = 17;
inline constexpr int FirstEnvelopeSource = 0;
inline constexpr int FirstOscillatorSource = 8;
inline constexpr int SequencerSource = 16;

inline constexpr int OscillatorCount = 8;
inline constexpr int EnvelopeCount = 8;

} // namespace kilosynth
