#pragma once

// Little-endian byte helpers shared by the patch and WAV formats. They build
// every multi-byte value byte by byte, so files come out the same on any host.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kilosynth::le {

inline void appendU8(std::vector<std::uint8_t>& out, std::uint8_t value) {
    out.push_back(value);
}

inline void appendU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFFu));
    }
}

// IEEE 754 single precision, bit for bit.
inline void appendF32(std::vector<std::uint8_t>& out, float value) {
    appendU32(out, std::bit_cast<std::uint32_t>(value));
}

inline std::uint16_t readU16(std::span<const std::uint8_t> data, std::size_t at) {
    return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
}

inline std::uint32_t readU32(std::span<const std::uint8_t> data, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        value |= std::uint32_t{data[at + k]} << (8 * k);
    }
    return value;
}

inline float readF32(std::span<const std::uint8_t> data, std::size_t at) {
    return std::bit_cast<float>(readU32(data, at));
}

} // namespace kilosynth::le
