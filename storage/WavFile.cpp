#include "storage/WavFile.h"

#include "storage/LittleEndian.h"

#include <limits>

namespace kilosynth {

namespace {

constexpr std::uint16_t PcmFormat = 1;
constexpr std::uint16_t FloatFormat = 3;
constexpr std::uint32_t FormatChunkSize = 16;
// The RIFF size counts everything after its own field: 36 header bytes + data.
constexpr std::uint32_t RiffHeaderRest = 36;

// The rate truncated toward zero. Files only ever give 5512.5 to 44100; a
// rate set some other way is kept within the field instead of overflowing.
std::uint32_t wholeRate(float rate) {
    if (!(rate > 0.0f)) {
        return 0;
    }
    if (rate >= 4294967296.0f) {
        return std::numeric_limits<std::uint32_t>::max();
    }
    return static_cast<std::uint32_t>(rate);
}

void appendHeader(std::vector<std::uint8_t>& out, std::uint16_t format,
                  std::uint16_t bytesPerSample, float rate, std::uint32_t dataSize) {
    const std::uint32_t samplesPerSecond = wholeRate(rate);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    le::appendU32(out, RiffHeaderRest + dataSize);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    le::appendU32(out, FormatChunkSize);
    le::appendU16(out, format);
    le::appendU16(out, 1); // mono
    le::appendU32(out, samplesPerSecond);
    le::appendU32(out, samplesPerSecond * bytesPerSample);
    le::appendU16(out, bytesPerSample); // block alignment of one mono frame
    le::appendU16(out, static_cast<std::uint16_t>(bytesPerSample * 8));
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    le::appendU32(out, dataSize);
}

} // namespace

std::vector<std::uint8_t> encodeWav(const Patch& patch) {
    // blockCount() keeps a stray length within the buffer, as the render does.
    const auto count = static_cast<std::size_t>(patch.sampleCount());
    const auto dataSize = static_cast<std::uint32_t>(count * 2);
    std::vector<std::uint8_t> out;
    out.reserve(WavHeaderSize + dataSize);
    appendHeader(out, PcmFormat, 2, patch.rate, dataSize);
    for (std::size_t i = 0; i < count; ++i) {
        le::appendU16(out, static_cast<std::uint16_t>(patch.sample[i]));
    }
    return out;
}

std::vector<std::uint8_t> encodeFloatWav(const Patch& patch) {
    const auto count = static_cast<std::size_t>(patch.sampleCount());
    const auto dataSize = static_cast<std::uint32_t>(count * 4);
    std::vector<std::uint8_t> out;
    out.reserve(WavHeaderSize + dataSize);
    appendHeader(out, FloatFormat, 4, patch.rate, dataSize);
    for (std::size_t i = 0; i < count; ++i) {
        le::appendF32(out, patch.mix[i]);
    }
    return out;
}

} // namespace kilosynth
