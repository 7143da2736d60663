#include "storage/FileIo.h"
#include "storage/LittleEndian.h"
#include "storage/WavFile.h"
#include "tests/support/CaseName.h"
#include "tests/support/Files.h"
#include "tests/support/RunProcess.h"
#include "tests/support/TempDir.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace kilosynth {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::TempDir;

struct Header {
    std::string riff, wave, fmt, data;
    std::uint32_t riffSize, fmtSize, rate, bytesPerSecond, dataSize;
    std::uint16_t format, channels, blockAlign, bits;
};

Header parseHeader(const Bytes& bytes) {
    const std::span<const std::uint8_t> b(bytes);
    const auto text = [&b](std::size_t at) {
        return std::string(b.begin() + at, b.begin() + at + 4);
    };
    return {text(0),
            text(8),
            text(12),
            text(36),
            le::readU32(b, 4),
            le::readU32(b, 16),
            le::readU32(b, 24),
            le::readU32(b, 28),
            le::readU32(b, 40),
            le::readU16(b, 20),
            le::readU16(b, 22),
            le::readU16(b, 32),
            le::readU16(b, 34)};
}

struct HeaderCase {
    const char* name;
    bool floatFormat;
    std::uint8_t length;
    float rate;
    std::uint32_t fileSize, riffSize, samplesPerSecond, bytesPerSecond, dataSize;
    friend void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }
};

class WavHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(WavHeader, HoldsTheFieldsOfTheCanonicalLayout) {
    const auto& c = GetParam();
    Patch patch;
    patch.length = c.length;
    patch.rate = c.rate;
    const Bytes bytes = c.floatFormat ? encodeFloatWav(patch) : encodeWav(patch);

    ASSERT_EQ(bytes.size(), c.fileSize);
    const Header h = parseHeader(bytes);
    EXPECT_EQ(h.riff, "RIFF");
    EXPECT_EQ(h.riffSize, c.riffSize);
    EXPECT_EQ(h.wave, "WAVE");
    EXPECT_EQ(h.fmt, "fmt ");
    EXPECT_EQ(h.fmtSize, 16u);
    EXPECT_EQ(h.format, c.floatFormat ? 3 : 1);
    EXPECT_EQ(h.channels, 1);
    EXPECT_EQ(h.rate, c.samplesPerSecond);
    EXPECT_EQ(h.bytesPerSecond, c.bytesPerSecond);
    EXPECT_EQ(h.blockAlign, c.floatFormat ? 4 : 2);
    EXPECT_EQ(h.bits, c.floatFormat ? 32 : 16);
    EXPECT_EQ(h.data, "data");
    EXPECT_EQ(h.dataSize, c.dataSize);
}

INSTANTIATE_TEST_SUITE_P(
    Storage, WavHeader,
    ::testing::Values(
        HeaderCase{"empty", false, 0, 44100.0f, 44, 36, 44100, 88200, 0},
        HeaderCase{"default", false, 38, 44100.0f, 77868, 77860, 44100, 88200, 77824},
        HeaderCase{"rate5512_5", false, 1, 5512.5f, 2092, 2084, 5512, 11024, 2048},
        HeaderCase{"rate22050", false, 2, 22050.0f, 4140, 4132, 22050, 44100, 4096},
        HeaderCase{"floatEmpty", true, 0, 44100.0f, 44, 36, 44100, 176400, 0},
        HeaderCase{"floatDefault", true, 38, 44100.0f, 155692, 155684, 44100, 176400, 155648},
        HeaderCase{"floatRate5512_5", true, 1, 5512.5f, 4140, 4132, 5512, 22048, 4096},
        // Rates no file gives stay within the field instead of overflowing.
        HeaderCase{"negativeRate", false, 0, -3.0f, 44, 36, 0, 0, 0},
        HeaderCase{"nanRate", false, 0, std::numeric_limits<float>::quiet_NaN(), 44, 36, 0, 0, 0},
        // A length beyond the buffers is exported as the MaxLength the render covers.
        HeaderCase{"lengthBeyondBuffers", false, 120, 44100.0f, 77868, 77860, 44100, 88200, 77824}),
    test::CaseName{});

TEST(WavExport, WritesTheSampleBufferExactlyAsStored) {
    Patch patch;
    patch.length = 1;
    const std::vector<std::int16_t> values = {0, 1, -1, 32767, -32767, -32768, 256, -256};
    std::copy(values.begin(), values.end(), patch.sample.begin());
    patch.sample[1023] = 0x1234;
    patch.sample[1024] = 999; // beyond the length: not exported

    const Bytes bytes = encodeWav(patch);
    ASSERT_EQ(bytes.size(), 44u + 2048u);
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(static_cast<std::int16_t>(le::readU16(bytes, 44 + 2 * i)), values[i]) << i;
    }
    EXPECT_EQ(bytes[44 + 2046], 0x34);
    EXPECT_EQ(bytes[44 + 2047], 0x12);
}

TEST(WavExport, WritesTheMixBufferBitForBit) {
    Patch patch;
    patch.length = 1;
    const std::vector<float> values = {0.0f, -0.0f, 1.0f, -1.0f, 0.1f, -0.333f, 1e-30f};
    std::copy(values.begin(), values.end(), patch.mix.begin());
    const Bytes bytes = encodeFloatWav(patch);
    ASSERT_EQ(bytes.size(), 44u + 4096u);
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(le::readU32(bytes, 44 + 4 * i), std::bit_cast<std::uint32_t>(values[i])) << i;
    }
}

TEST(WavExport, ExportWritesTheEncodedFileOverAnExistingOne) {
    const TempDir dir;
    Patch patch;
    patch.length = 1;
    patch.sample[5] = -1234;
    test::writeBytes(dir / "out.wav", Bytes(100000, 0x77));

    ASSERT_TRUE(exportWav(dir / "out.wav", patch).ok());
    EXPECT_EQ(test::readBytes(dir / "out.wav"), encodeWav(patch));
    ASSERT_TRUE(exportFloatWav(dir / "out.wav", patch).ok());
    EXPECT_EQ(test::readBytes(dir / "out.wav"), encodeFloatWav(patch));
    EXPECT_EQ(test::folderListing(dir.path()), std::vector<std::string>{"out.wav"});
}

TEST(WavExport, IntoAMissingFolderFailsAndLeavesNothing) {
    const TempDir dir;
    const Patch patch;
    for (const auto& result : {exportWav(dir / "gone" / "a.wav", patch),
                               exportFloatWav(dir / "gone" / "a.wav", patch)}) {
        EXPECT_EQ(result.status, FileResult::Status::WriteFailed);
        EXPECT_NE(result.error.find("cannot create the file"), std::string::npos) << result.error;
    }
    EXPECT_TRUE(test::folderListing(dir.path()).empty());
}

// sox as an independent reader of what we write.

// A sound with both signs and a range of levels: a rendered sine sweep.
void renderTestTone(Patch& patch, std::uint8_t length) {
    patch.length = length;
    Oscillator& osc = *patch.oscillators[0];
    osc.enabled = 1;
    osc.flags = static_cast<std::uint8_t>(Oscillator::WaveType::Sine);
    osc.frequency = 440.0f;
    osc.amplitude = 200;
    osc.amplitudeSource = 0; // env1, the default decaying envelope
    patch.envelopes[0]->enabled = 1;
    patch.render();
}

std::string soxInfo(const std::filesystem::path& path) {
    const auto info = test::runProcess("sox", {"--i", path.string()});
    EXPECT_EQ(info.exitStatus, 0) << info.err;
    return info.out;
}

Bytes soxRaw(const std::filesystem::path& path, const std::string& encoding,
             const std::string& bits) {
    const TempDir dir;
    const auto raw = dir / "out.raw";
    const auto result = test::runProcess(
        "sox", {path.string(), "-t", "raw", "-e", encoding, "-b", bits, raw.string()});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    return test::readBytes(raw);
}

TEST(WavExportWithSox, ReadsThe16BitFileAsWritten) {
    const TempDir dir;
    Patch patch;
    renderTestTone(patch, 3);
    ASSERT_TRUE(exportWav(dir / "tone.wav", patch).ok());

    const std::string info = soxInfo(dir / "tone.wav");
    EXPECT_NE(info.find("Channels       : 1\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Sample Rate    : 44100\n"), std::string::npos) << info;
    EXPECT_NE(info.find("= 3072 samples"), std::string::npos) << info;
    EXPECT_NE(info.find("Sample Encoding: 16-bit Signed Integer PCM"), std::string::npos) << info;

    const Bytes raw = soxRaw(dir / "tone.wav", "signed-integer", "16");
    ASSERT_EQ(raw.size(), 3072u * 2);
    for (std::size_t i = 0; i < 3072; ++i) {
        ASSERT_EQ(static_cast<std::int16_t>(le::readU16(raw, 2 * i)), patch.sample[i]) << i;
    }
}

TEST(WavExportWithSox, ReadsTheFloatFile) {
    const TempDir dir;
    Patch patch;
    renderTestTone(patch, 2);
    ASSERT_TRUE(exportFloatWav(dir / "tone.wav", patch).ok());

    const std::string info = soxInfo(dir / "tone.wav");
    EXPECT_NE(info.find("Sample Rate    : 44100\n"), std::string::npos) << info;
    EXPECT_NE(info.find("= 2048 samples"), std::string::npos) << info;
    EXPECT_NE(info.find("Sample Encoding: 32-bit Floating Point PCM"), std::string::npos) << info;

    // sox carries samples as 32-bit integers inside, so a float comes back
    // within 2^-24 of what we wrote, not bit for bit.
    const Bytes raw = soxRaw(dir / "tone.wav", "floating-point", "32");
    ASSERT_EQ(raw.size(), 2048u * 4);
    float peak = 0.0f;
    for (std::size_t i = 0; i < 2048; ++i) {
        const float read = le::readF32(raw, 4 * i);
        ASSERT_NEAR(read, patch.mix[i], 0x1p-24) << i;
        peak = std::max(peak, std::fabs(read));
    }
    EXPECT_GT(peak, 0.5f);
}

TEST(WavExportWithSox, ReadsTheTruncatedRate) {
    const TempDir dir;
    Patch patch;
    patch.length = 1;
    patch.rate = 5512.5f;
    ASSERT_TRUE(exportWav(dir / "slow.wav", patch).ok());
    const std::string info = soxInfo(dir / "slow.wav");
    EXPECT_NE(info.find("Sample Rate    : 5512\n"), std::string::npos) << info;
}

} // namespace
} // namespace kilosynth
