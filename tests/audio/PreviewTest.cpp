#include "audio/Preview.h"

#include "tests/audio/DiskAudioTap.h"
#include "tests/support/CaseName.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <ostream>
#include <span>
#include <thread>
#include <vector>

namespace kilosynth {
namespace {

using test::DiskAudioTap;

// Silence read after a playback's end before the stream is judged: more than
// the few device buffers the driver can run ahead of the reader, so a stale
// tail or a replay would show up inside it.
constexpr int TrailingSamples = 8 * BlockSize;

// A recognisable sample with no zero in it: positive values for `first`,
// negative ones otherwise, so the two can never be mistaken for each other
// or for silence.
std::vector<std::int16_t> pattern(int count, bool first) {
    std::vector<std::int16_t> values(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int magnitude = 1 + (i * 7) % 30000;
        values[static_cast<std::size_t>(i)] =
            static_cast<std::int16_t>(first ? magnitude : -magnitude);
    }
    return values;
}

// Puts `values` at the start of the SampleBuffer, as a render would.
void load(Patch& patch, const std::vector<std::int16_t>& values, std::uint8_t length) {
    std::copy(values.begin(), values.end(), patch.sample.begin());
    patch.length = length;
}

// Index of the first non-silent sample, or the stream's size.
std::size_t leadingSilence(std::span<const std::int16_t> stream) {
    const auto sound = std::find_if(stream.begin(), stream.end(), [](auto v) { return v != 0; });
    return static_cast<std::size_t>(sound - stream.begin());
}

// How many samples at `from` repeat `expected` from its start.
std::size_t matchingPrefix(std::span<const std::int16_t> stream, std::size_t from,
                           std::span<const std::int16_t> expected) {
    std::size_t n = 0;
    while (from + n < stream.size() && n < expected.size() && stream[from + n] == expected[n]) {
        ++n;
    }
    return n;
}

::testing::AssertionResult silentFrom(std::span<const std::int16_t> stream, std::size_t from) {
    for (std::size_t i = from; i < stream.size(); ++i) {
        if (stream[i] != 0) {
            return ::testing::AssertionFailure()
                   << "sample " << i << " is " << stream[i] << ", " << (i - from)
                   << " samples into what should be silence";
        }
    }
    return ::testing::AssertionSuccess();
}

bool sameProgress(const PreviewProgress& a, const PreviewProgress& b) {
    return a.played == b.played && a.total == b.total && a.playing == b.playing;
}

// The preview on SDL's disk driver: every test reads back exactly what the
// device was given.
class PreviewOnDisk : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(initPreview()) << previewError(); }
    void TearDown() override {
        tap.close();
        shutdownPreview();
    }

    // Reads until `count` samples have arrived after the leading silence.
    bool readPastStart(std::size_t count) {
        return tap.readUntil([&] {
            const auto& stream = tap.samples();
            const auto start = leadingSilence(stream);
            return start < stream.size() && stream.size() - start >= count;
        });
    }

    DiskAudioTap tap; // before SetUp: points the driver at its pipe
    Patch patch;
};

struct PlayCase {
    const char* name;
    std::uint8_t length;
    float rate;
    int expectedSamples;
    friend void PrintTo(const PlayCase& c, std::ostream* os) { *os << c.name; }
};

class PlayOnce : public PreviewOnDisk, public ::testing::WithParamInterface<PlayCase> {};

TEST_P(PlayOnce, DeliversExactlyTheSampleThenSilence) {
    const PlayCase& c = GetParam();
    const auto sound = pattern(c.expectedSamples, true);
    load(patch, sound, c.length);
    patch.rate = c.rate;

    playSample(patch);
    // A render after the call must not change what is heard.
    std::fill(patch.sample.begin(), patch.sample.end(), std::int16_t{0x7fff});
    EXPECT_EQ(previewProgress().total, c.expectedSamples);

    ASSERT_TRUE(readPastStart(sound.size() + TrailingSamples));
    const auto& stream = tap.samples();
    const auto start = leadingSilence(stream);
    EXPECT_EQ(matchingPrefix(stream, start, sound), sound.size());
    EXPECT_TRUE(silentFrom(stream, start + sound.size()));

    const PreviewProgress done{c.expectedSamples, c.expectedSamples, false};
    EXPECT_TRUE(sameProgress(previewProgress(), done));
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, PlayOnce,
    ::testing::Values(
        // The preview rate is fixed: a 44100 Hz Patch plays its samples unchanged.
        PlayCase{"OneBlockAt44100", 1, 44100.0f, BlockSize},
        PlayCase{"LongestAt22050", MaxLength, 22050.0f, MaxSamples},
        // A stored length byte above the maximum plays the whole buffer, no more.
        PlayCase{"LengthByteAboveMaximum", 200, 44100.0f, MaxSamples}),
    test::CaseName{});

TEST_F(PreviewOnDisk, SecondCallRestartsWithTheNewSampleAndDropsTheFirst) {
    const auto first = pattern(MaxSamples, true);
    const auto second = pattern(2 * BlockSize, false);
    load(patch, first, MaxLength);
    playSample(patch);
    ASSERT_TRUE(tap.readUntil([] { return previewProgress().played > 0; }));

    load(patch, second, 2);
    playSample(patch);
    EXPECT_EQ(previewProgress().total, 2 * BlockSize);

    ASSERT_TRUE(tap.readUntil([&] {
        const auto& stream = tap.samples();
        const auto it = std::find(stream.begin(), stream.end(), second.front());
        return stream.end() - it >= static_cast<long>(second.size() + TrailingSamples);
    }));
    // Silence, the part of the first sample already delivered, then at once
    // the whole second sample, then silence: no tail of the first.
    const auto& stream = tap.samples();
    const auto start = leadingSilence(stream);
    const auto firstPart = matchingPrefix(stream, start, first);
    EXPECT_GT(firstPart, 0u);
    EXPECT_LT(firstPart, first.size());
    const auto secondAt = start + firstPart;
    EXPECT_EQ(matchingPrefix(stream, secondAt, second), second.size());
    EXPECT_TRUE(silentFrom(stream, secondAt + second.size()));
}

TEST_F(PreviewOnDisk, LengthZeroPlaysSilenceNotTheEarlierSample) {
    const auto earlier = pattern(BlockSize, true);
    load(patch, earlier, 1);
    playSample(patch);
    ASSERT_TRUE(tap.readUntil([] { return !previewProgress().playing; }));

    patch.length = 0;
    playSample(patch);
    EXPECT_TRUE(sameProgress(previewProgress(), PreviewProgress{0, 0, false}));

    ASSERT_TRUE(readPastStart(earlier.size() + TrailingSamples));
    const auto& stream = tap.samples();
    const auto start = leadingSilence(stream);
    EXPECT_EQ(matchingPrefix(stream, start, earlier), earlier.size());
    EXPECT_TRUE(silentFrom(stream, start + earlier.size()));
}

TEST_F(PreviewOnDisk, StopSilencesAtOnce) {
    const auto sound = pattern(MaxSamples, true);
    load(patch, sound, MaxLength);
    playSample(patch);
    ASSERT_TRUE(tap.readUntil([] { return previewProgress().played > 0; }));

    stopPreview();
    EXPECT_TRUE(sameProgress(previewProgress(), PreviewProgress{0, 0, false}));

    // Read past where the sample would have ended had it kept playing.
    ASSERT_TRUE(readPastStart(sound.size() + TrailingSamples));
    const auto& stream = tap.samples();
    const auto start = leadingSilence(stream);
    const auto heard = matchingPrefix(stream, start, sound);
    EXPECT_GT(heard, 0u);
    EXPECT_LT(heard, sound.size());
    EXPECT_TRUE(silentFrom(stream, start + heard));
}

// Polls until the current playback has ended; the bound is far beyond any
// sample's length and is only reached when playback hangs.
bool waitUntilPlayed() {
    for (int i = 0; i < 6000; ++i) {
        if (!previewProgress().playing) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

TEST(PreviewOnDummy, PlaysToTheEndAndReportsProgress) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(initPreview()) << previewError();
    EXPECT_TRUE(previewReady());
    EXPECT_EQ(previewError(), "");
    EXPECT_TRUE(initPreview()); // a second call keeps the open device

    Patch patch;
    patch.length = 2;
    playSample(patch);
    const PreviewProgress started = previewProgress();
    EXPECT_EQ(started.total, 2 * BlockSize);
    EXPECT_LE(started.played, started.total);
    ASSERT_TRUE(waitUntilPlayed());
    EXPECT_EQ(previewProgress().played, 2 * BlockSize);

    shutdownPreview();
    EXPECT_FALSE(previewReady());
    playSample(patch);
    EXPECT_TRUE(sameProgress(previewProgress(), PreviewProgress{}));
}

TEST(PreviewSignals, TerminationStillStopsTheProgram) {
    // The editor and the command-line tool must stay stoppable with SIGTERM
    // and Ctrl+C while the preview is open.
    for (const int signal : {SIGTERM, SIGINT}) {
        EXPECT_EXIT(
            {
                setenv("SDL_AUDIODRIVER", "dummy", 1);
                if (!initPreview()) {
                    std::_Exit(2);
                }
                std::raise(signal);
                std::_Exit(0); // only reached when the signal was swallowed
            },
            ::testing::KilledBySignal(signal), "")
            << "signal " << signal;
    }
}

TEST(PreviewWithoutDevice, InitFailsWithAReasonAndPlayingDoesNothing) {
    setenv("SDL_AUDIODRIVER", "none", 1);
    EXPECT_FALSE(initPreview());
    EXPECT_FALSE(previewReady());
    EXPECT_NE(previewError(), "");

    Patch patch;
    playSample(patch);
    stopPreview();
    EXPECT_TRUE(sameProgress(previewProgress(), PreviewProgress{}));
    shutdownPreview();

    // A later attempt with a working driver succeeds and forgets the reason.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_TRUE(initPreview()) << previewError();
    EXPECT_EQ(previewError(), "");
    shutdownPreview();
}

} // namespace
} // namespace kilosynth
