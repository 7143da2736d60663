#include "storage/PatchFile.h"

#include "tests/support/CaseName.h"
#include "tests/support/PatchState.h"

#include <gtest/gtest.h>
#include <sstream>

namespace kilosynth {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::patchState;

// "26 00 7f" -> {0x26, 0x00, 0x7F}
Bytes hex(const std::string& text) {
    Bytes bytes;
    std::istringstream in(text);
    unsigned value = 0;
    while (in >> std::hex >> value) {
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

const Bytes DefaultFile = hex("26 00 00 26 03 00 00 00 7f 00 00 00");

TEST(PatchFileWrite, DefaultPatchIsTwelveBytes) {
    const Patch patch;
    EXPECT_EQ(encodePatch(patch), DefaultFile);
    EXPECT_EQ(patchFileSize(patch), 12u);
    EXPECT_TRUE(unstorableFields(patch).empty());
}

TEST(PatchFileWrite, WritePatchAppendsTheEncodedBytesToTheStream) {
    Patch patch;
    test::fillEveryField(patch);
    std::ostringstream out;
    out << "ab";
    writePatch(patch, out);
    out << "z";
    const Bytes expected = encodePatch(patch);
    EXPECT_EQ(out.str(), "ab" + std::string(expected.begin(), expected.end()) + "z");
}

struct EnableMaskCase {
    const char* name;
    std::vector<int> envelopes;   // 1-based
    std::vector<int> oscillators; // 1-based
    std::uint8_t byte1;
    std::uint8_t byte2;
    friend void PrintTo(const EnableMaskCase& c, std::ostream* os) { *os << c.name; }
};

class EnableMask : public ::testing::TestWithParam<EnableMaskCase> {};

TEST_P(EnableMask, SetsOscillatorsInByteOneAndEnvelopesInByteTwo) {
    const auto& c = GetParam();
    Patch patch;
    for (const int k : c.envelopes) {
        patch.envelopes[static_cast<std::size_t>(k - 1)]->enabled = 1;
    }
    for (const int k : c.oscillators) {
        patch.oscillators[static_cast<std::size_t>(k - 1)]->enabled = 1;
    }
    const Bytes bytes = encodePatch(patch);
    EXPECT_EQ(bytes[1], c.byte1);
    EXPECT_EQ(bytes[2], c.byte2);
    EXPECT_EQ(bytes.size(), 12 + 9 * c.envelopes.size() + 7 * c.oscillators.size());

    Patch loaded;
    ASSERT_TRUE(readPatch(loaded, bytes));
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(loaded.envelopes[k]->enabled, patch.envelopes[k]->enabled) << "env" << k + 1;
        EXPECT_EQ(loaded.oscillators[k]->enabled, patch.oscillators[k]->enabled) << "osc" << k + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    PatchFile, EnableMask,
    ::testing::Values(EnableMaskCase{"env1_osc1", {1}, {1}, 0x80, 0x80},
                      EnableMaskCase{"osc8", {}, {8}, 0x01, 0x00},
                      EnableMaskCase{"env8", {8}, {}, 0x00, 0x01},
                      EnableMaskCase{"env2_env7_osc3_osc6", {2, 7}, {3, 6}, 0x24, 0x42},
                      EnableMaskCase{
                          "all", {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6, 7, 8}, 0xFF, 0xFF}),
    test::CaseName{});

TEST(PatchFileWrite, LaysOutEverySectionInOrder) {
    Patch patch;
    patch.length = 5;
    Sequencer& sequencer = *patch.sequencer;
    sequencer.enabled = 1;
    sequencer.attack = 7;
    sequencer.decay = 9;
    sequencer.steps[0] = {60, SequencerStep::Slide};
    sequencer.steps[15] = {72, SequencerStep::MarkD};
    sequencer.steps[16] = {99, 2}; // beyond the 16 stored steps
    Envelope& env2 = *patch.envelopes[1];
    env2.enabled = 1;
    env2.delay = 1;
    env2.attack = 2;
    env2.hold = 3;
    env2.decay = 4;
    env2.sustain = 5;
    env2.level = 6;
    env2.release = 7;
    env2.amp = 8;
    env2.basePoint = 9;
    Oscillator& osc3 = *patch.oscillators[2];
    osc3.enabled = 1;
    osc3.flags = 0x42;
    osc3.frequency = 10.0f;
    osc3.amplitude = 200;
    osc3.frequencySource = 0; // env1
    osc3.amplitudeSource = 9; // osc2
    patch.volumeSource = 2;   // env3
    patch.limitSource = -1;   // none
    patch.wrapSource = 8;     // osc1
    patch.cutoffSource = 7;   // env8
    patch.volume = 100;
    patch.limit = 1;
    patch.wrap = 2;
    patch.cutoff = 3;
    patch.effects = 7;
    patch.resonanceFreq = 255.0f;
    patch.reso = 4;
    patch.resonanceFreqSource = 14; // osc7
    patch.resoSource = -1;
    patch.delayTime = 200;
    patch.delayLevel = 80;
    patch.flangerRate = 10;
    patch.flangerDelay = 20;

    const Bytes expected = hex("26 20 40 85 03 07" // header
                               " 07 09 3c 02"      // sequencer, step 1
                               " 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                               " 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                               " 48 08"                      // step 16
                               " 01 02 03 04 05 06 07 08 09" // env2
                               " 42 00 00 20 41 c8 1a"       // osc3
                               " 98 30 64 01 02 03"          // master
                               " 00 00 7f 43 04 f0"          // resonance
                               " c8 50"                      // delay
                               " 0a 14");                    // flanger
    EXPECT_EQ(encodePatch(patch), expected);
    EXPECT_EQ(patchFileSize(patch), expected.size());
}

TEST(PatchFileRoundTrip, EveryFieldSurvivesAFullFile) {
    Patch patch;
    test::fillEveryField(patch);
    const Bytes bytes = encodePatch(patch);
    ASSERT_EQ(bytes.size(), 184u);
    ASSERT_EQ(patchFileSize(patch), 184u);

    Patch loaded;
    const ReadResult result = readPatch(loaded, bytes);
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(patchState(loaded), patchState(patch));
    EXPECT_EQ(encodePatch(loaded), bytes);
}

TEST(PatchFileRead, LengthByteA6IsLength38WithTheSequencerOn) {
    Bytes bytes = DefaultFile;
    bytes[3] = 0xA6;
    bytes.insert(bytes.begin() + 6, 34, 0); // the sequencer section it announces
    Patch patch;
    patch.length = 1;
    ASSERT_TRUE(readPatch(patch, bytes));
    EXPECT_EQ(patch.length, 38);
    EXPECT_EQ(patch.sequencer->enabled, 1);
}

struct RateCase {
    std::uint8_t code;
    float rate;
    friend void PrintTo(const RateCase& c, std::ostream* os) { *os << "code " << int(c.code); }
};

class RateCode : public ::testing::TestWithParam<RateCase> {};

TEST_P(RateCode, LoadsItsRateAndIsSavedAsCode3) {
    Bytes bytes = DefaultFile;
    bytes[4] = GetParam().code;
    Patch patch;
    ASSERT_TRUE(readPatch(patch, bytes));
    EXPECT_EQ(patch.rate, GetParam().rate);

    // The writer always stores 44100 Hz, and says so when that changes the rate.
    const Bytes saved = encodePatch(patch);
    EXPECT_EQ(saved[4], 3);
    const auto unstorable = unstorableFields(patch);
    if (GetParam().rate == 44100.0f) {
        EXPECT_TRUE(unstorable.empty());
    } else {
        ASSERT_EQ(unstorable.size(), 1u);
        EXPECT_NE(unstorable[0].find("sample rate"), std::string::npos) << unstorable[0];
    }
    Patch reloaded;
    ASSERT_TRUE(readPatch(reloaded, saved));
    EXPECT_EQ(reloaded.rate, 44100.0f);
}

INSTANTIATE_TEST_SUITE_P(PatchFile, RateCode,
                         ::testing::Values(RateCase{0, 5512.5f}, RateCase{1, 11025.0f},
                                           RateCase{2, 22050.0f}, RateCase{3, 44100.0f}));

TEST(PatchFileWrite, NamesTheRateItCannotStore) {
    Patch patch;
    patch.rate = 5512.5f;
    EXPECT_EQ(unstorableFields(patch),
              std::vector<std::string>{"sample rate 5512.5 Hz (stored as 44100 Hz)"});
}

TEST(PatchFileRead, LeadingByteIsIgnored) {
    Patch reference;
    test::fillEveryField(reference);
    const Bytes bytes = encodePatch(reference);
    for (const std::uint8_t leading : Bytes{0x00, 0x26, 0x27, 0xFF}) {
        Bytes changed = bytes;
        changed[0] = leading;
        Patch patch;
        ASSERT_TRUE(readPatch(patch, changed)) << int(leading);
        EXPECT_EQ(patchState(patch), patchState(reference)) << int(leading);
    }
}

TEST(PatchFileRead, BytesAfterTheLastSectionAreIgnored) {
    Patch reference;
    test::fillEveryField(reference);
    Bytes bytes = encodePatch(reference);
    bytes.insert(bytes.end(), {0xDE, 0xAD, 0xBE, 0xEF});
    Patch patch;
    ASSERT_TRUE(readPatch(patch, bytes));
    EXPECT_EQ(patchState(patch), patchState(reference));
}

TEST(PatchFileRead, SectionsTheFileLeavesOutKeepTheirFields) {
    Patch patch;
    test::fillEveryField(patch);
    const auto before = patchState(patch);

    ASSERT_TRUE(readPatch(patch, DefaultFile));

    // The header and master record are applied ...
    EXPECT_EQ(patch.length, 38);
    EXPECT_EQ(patch.effects, 0);
    EXPECT_EQ(patch.volume, 127);
    EXPECT_EQ(patch.volumeSource, SourceNone);
    EXPECT_EQ(patch.limitSource, SourceNone);
    // ... every generator is switched off ...
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(patch.envelopes[k]->enabled, 0);
        EXPECT_EQ(patch.oscillators[k]->enabled, 0);
    }
    EXPECT_EQ(patch.sequencer->enabled, 0);

    // ... and every field of what is off keeps the value it had: switching
    // everything back on gives the Patch as it was, but for the header and
    // master fields the file did carry.
    Patch expected;
    test::fillEveryField(expected);
    expected.length = 38;
    expected.effects = 0;
    expected.volume = 127;
    expected.limit = 0;
    expected.wrap = 0;
    expected.cutoff = 0;
    expected.volumeSource = expected.limitSource = expected.wrapSource = expected.cutoffSource =
        SourceNone;
    for (std::size_t k = 0; k < 8; ++k) {
        expected.envelopes[k]->enabled = 0;
        expected.oscillators[k]->enabled = 0;
    }
    expected.sequencer->enabled = 0;
    EXPECT_EQ(patchState(patch), patchState(expected));
    EXPECT_NE(patchState(patch), before);
}

TEST(PatchFileRead, StepsBeyondTheSixteenthAreLeftAlone) {
    Patch source;
    source.sequencer->enabled = 1;
    for (std::size_t i = 0; i < 16; ++i) {
        source.sequencer->steps[i] = {static_cast<std::uint8_t>(50 + i), 0};
    }
    Patch patch;
    patch.sequencer->steps[16] = {88, 4};
    patch.sequencer->steps[63] = {77, 8};
    ASSERT_TRUE(readPatch(patch, encodePatch(source)));
    EXPECT_EQ(patch.sequencer->steps[15].note, 65);
    EXPECT_EQ(patch.sequencer->steps[16].note, 88);
    EXPECT_EQ(patch.sequencer->steps[16].flags, 4);
    EXPECT_EQ(patch.sequencer->steps[63].note, 77);
    EXPECT_EQ(patch.sequencer->stepCount, 16);
}

TEST(PatchFileSources, MasterSourceWord0x0109) {
    Patch patch;
    patch.volumeSource = SourceNone;
    patch.limitSource = 0; // env1
    patch.wrapSource = SourceNone;
    patch.cutoffSource = 8; // osc1
    const Bytes bytes = encodePatch(patch);
    EXPECT_EQ(bytes[6], 0x09);
    EXPECT_EQ(bytes[7], 0x01);

    Patch loaded;
    ASSERT_TRUE(readPatch(loaded, bytes));
    EXPECT_EQ(loaded.volumeSource, SourceNone);
    EXPECT_EQ(loaded.limitSource, 0);
    EXPECT_EQ(loaded.wrapSource, SourceNone);
    EXPECT_EQ(loaded.cutoffSource, 8);
}

TEST(PatchFileSources, OscillatorSourcesByteF8) {
    Patch patch;
    Oscillator& osc1 = *patch.oscillators[0];
    osc1.enabled = 1;
    osc1.frequencySource = 14; // osc7, code 15
    osc1.amplitudeSource = 7;  // env8, code 8
    const Bytes bytes = encodePatch(patch);
    EXPECT_EQ(bytes[6 + 6], 0xF8);

    Patch loaded;
    ASSERT_TRUE(readPatch(loaded, bytes));
    EXPECT_EQ(loaded.oscillators[0]->frequencySource, 14);
    EXPECT_EQ(loaded.oscillators[0]->amplitudeSource, 7);
}

// One source the format cannot hold, where it sits in the file and how the
// writer names it.
struct UnstorableCase {
    const char* name;
    void (*set)(Patch&, ModSource);
    std::size_t offset; // of the sources byte
    bool highNibble;
    std::string field;
    friend void PrintTo(const UnstorableCase& c, std::ostream* os) { *os << c.name; }
};

class UnstorableSource : public ::testing::TestWithParam<UnstorableCase> {};

// The Patch of these cases: osc2 on (record at 6..12), resonance on (19..24).
constexpr ModSource Partner = 4; // env5, code 5, shares the byte

void setUpCase(Patch& patch) {
    patch.oscillators[1]->enabled = 1;
    patch.effects = Patch::ResonanceOn;
    patch.oscillators[1]->frequencySource = Partner;
    patch.oscillators[1]->amplitudeSource = Partner;
    patch.volumeSource = patch.limitSource = patch.wrapSource = patch.cutoffSource = Partner;
    patch.resonanceFreqSource = patch.resoSource = Partner;
}

TEST_P(UnstorableSource, IsStoredAsNoneAndNamedWhileItsNeighbourIsKept) {
    const auto& c = GetParam();
    for (const auto& [source, name] :
         std::vector<std::pair<ModSource, std::string>>{{15, "osc8"}, {16, "sequencer"}}) {
        Patch patch;
        setUpCase(patch);
        c.set(patch, source);
        const Bytes bytes = encodePatch(patch);
        ASSERT_EQ(bytes.size(), 25u);
        const std::uint8_t expected = c.highNibble ? 0x05 : 0x50;
        EXPECT_EQ(bytes[c.offset], expected) << name;
        EXPECT_EQ(unstorableFields(patch),
                  std::vector<std::string>{c.field + " source (" + name + ")"});

        // Everything else is stored exactly.
        Patch loaded;
        ASSERT_TRUE(readPatch(loaded, bytes));
        Patch expectedPatch;
        setUpCase(expectedPatch);
        c.set(expectedPatch, SourceNone);
        EXPECT_EQ(patchState(loaded), patchState(expectedPatch)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    PatchFile, UnstorableSource,
    ::testing::Values(
        UnstorableCase{"oscFrequency",
                       [](Patch& p, ModSource s) { p.oscillators[1]->frequencySource = s; }, 12,
                       true, "osc2 frequency"},
        UnstorableCase{"oscAmplitude",
                       [](Patch& p, ModSource s) { p.oscillators[1]->amplitudeSource = s; }, 12,
                       false, "osc2 amplitude"},
        UnstorableCase{"volume", [](Patch& p, ModSource s) { p.volumeSource = s; }, 14, true,
                       "volume"},
        UnstorableCase{"limit", [](Patch& p, ModSource s) { p.limitSource = s; }, 14, false,
                       "limit"},
        UnstorableCase{"wrap", [](Patch& p, ModSource s) { p.wrapSource = s; }, 13, true, "wrap"},
        UnstorableCase{"cutoff", [](Patch& p, ModSource s) { p.cutoffSource = s; }, 13, false,
                       "cutoff"},
        UnstorableCase{"resonanceFreq", [](Patch& p, ModSource s) { p.resonanceFreqSource = s; },
                       24, true, "resonance frequency"},
        UnstorableCase{"reso", [](Patch& p, ModSource s) { p.resoSource = s; }, 24, false, "reso"}),
    test::CaseName{});

TEST(PatchFileSources, EveryNegativeSourceIsStoredAsNone) {
    for (const ModSource none : {ModSource{-1}, ModSource{-2}, ModSource{-128}}) {
        Patch patch;
        patch.oscillators[0]->enabled = 1;
        patch.oscillators[0]->frequencySource = none;
        patch.oscillators[0]->amplitudeSource = 3;
        patch.volumeSource = none;
        const Bytes bytes = encodePatch(patch);
        EXPECT_EQ(bytes[12], 0x04) << int(none);
        EXPECT_EQ(bytes[14], 0x00) << int(none);
        EXPECT_TRUE(unstorableFields(patch).empty()) << int(none);
    }
}

TEST(PatchFileSources, SourcesOfPartsThatAreOffAreNotReported) {
    Patch patch;
    patch.oscillators[7]->frequencySource = 15; // osc8 is off: not stored at all
    patch.resoSource = 15;                      // resonance is off
    EXPECT_TRUE(unstorableFields(patch).empty());
}

TEST(PatchFileWrite, LengthBeyondTheBuffersIsStoredAsTheLengthThatRenders) {
    Patch patch;
    patch.length = 200;
    patch.sequencer->enabled = 1;
    const Bytes bytes = encodePatch(patch);
    EXPECT_EQ(bytes[3], 0x80 | 38);
    EXPECT_EQ(unstorableFields(patch),
              std::vector<std::string>{"sample length 200 blocks (stored as 38)"});
}

} // namespace
} // namespace kilosynth
