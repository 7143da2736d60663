#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kilosynth::test {

// SHA-256 (FIPS 180-4), enough to pin rendered files in regression tables.
class Sha256 {
public:
    Sha256();

    void update(std::span<const std::uint8_t> bytes);
    // The digest as 64 lowercase hex digits; call once, after the last update.
    std::string hexDigest();

    static std::string of(std::span<const std::uint8_t> bytes);

private:
    void compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> block_{};
    std::size_t blockUsed_ = 0;
    std::uint64_t totalBytes_ = 0;
};

} // namespace kilosynth::test
