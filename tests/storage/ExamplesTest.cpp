#include "storage/FileIo.h"
#include "storage/PatchFile.h"
#include "storage/WavFile.h"
#include "tests/support/CaseName.h"
#include "tests/support/Files.h"
#include "tests/support/Sha256.h"

#include <gtest/gtest.h>
#include <set>

namespace kilosynth {
namespace {

const std::filesystem::path ExamplesDir = KILOSYNTH_EXAMPLES_DIR;

// The 16-bit WAV that `kilosynth-cli render` writes for each example, pinned
// by its SHA-256: any change to the render or the WAV writer shows here. A
// deliberate change of sound means updating this table (the failure message
// gives the new digest and writes the new file for listening).
struct ExampleCase {
    const char* name;
    std::size_t fileSize;
    std::string wavSha256;
    friend void PrintTo(const ExampleCase& c, std::ostream* os) { *os << c.name; }
};

const std::vector<ExampleCase> Examples = {
    {"arpeggio", 69, "0ea460a0d3b945fe9d065c7142b005ea72d37d3ceab3a709f0905d586264467b"},
    {"bass", 44, "0a81e642c2d470f0f7ef9c98852d1a2586af436c96e902581bbb4d774fee7b38"},
    {"hat", 42, "858c9ae563a8d65d6ddac6794d5a6cc575b99a482122fb0d175ea530c37ab851"},
    {"kick", 37, "fb538151086ec7247db6f79a00f28bfd04d125b413b4c71d1633dbc3753872ff"},
    {"lead", 44, "8ff4991414cbd64b9334d7f89958e0c51a2725cb3f4720ce3a97b8a4f1b03d71"},
    {"pad", 67, "fb0be423d65dd1913c28cad5892abb02723a244edfc3f15bb594560df0c04f24"},
    {"snare", 53, "0540ba2d70b978524fc24f13febc7b4a699ffdf629641680eb21db2bc65f3071"},
    {"zap", 54, "bf811d683ef3fa142220a9aff31baa1740341ea2a87a49432d90f1a40e916cee"},
};

std::filesystem::path examplePath(const ExampleCase& c) {
    return ExamplesDir / (std::string(c.name) + ".trq");
}

// A fresh Patch with the example applied, as the command-line tool renders it.
void loadExample(const ExampleCase& c, Patch& patch) {
    const FileResult result = loadPatchFile(examplePath(c), patch);
    ASSERT_TRUE(result.ok()) << c.name << ": " << result.error;
}

class Example : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(Example, SavesBackByteForByte) {
    const auto& c = GetParam();
    const auto bytes = test::readBytes(examplePath(c));
    ASSERT_EQ(bytes.size(), c.fileSize);
    Patch patch;
    loadExample(c, patch);
    EXPECT_EQ(encodePatch(patch), bytes);
    EXPECT_TRUE(unstorableFields(patch).empty());
}

TEST_P(Example, RendersThePinnedWav) {
    const auto& c = GetParam();
    Patch patch;
    loadExample(c, patch);
    patch.render();
    const auto wav = encodeWav(patch);
    const std::string digest = test::Sha256::of(wav);
    if (digest != c.wavSha256) {
        const auto actual = std::filesystem::current_path() / (std::string(c.name) + ".actual.wav");
        test::writeBytes(actual, wav);
        ADD_FAILURE() << c.name << " renders differently: SHA-256 " << digest << ", pinned "
                      << c.wavSha256 << "; the new render is in " << actual;
    }
}

// The editor renders again after every edit; an example must sound the same
// on every render, not only on the first one after loading.
TEST_P(Example, RendersTheSameSamplesEveryTime) {
    Patch patch;
    loadExample(GetParam(), patch);
    patch.render();
    const std::vector<std::int16_t> first = patch.sample;
    patch.render();
    EXPECT_EQ(patch.sample, first);
}

INSTANTIATE_TEST_SUITE_P(Examples, Example, ::testing::ValuesIn(Examples), test::CaseName{});

TEST(Examples, EveryExampleFileIsPinned) {
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(ExamplesDir)) {
        if (entry.path().extension() == ".trq") {
            files.insert(entry.path().stem().string());
        }
    }
    std::set<std::string> pinned;
    for (const auto& c : Examples) {
        pinned.insert(c.name);
    }
    EXPECT_EQ(files, pinned);
}

} // namespace
} // namespace kilosynth
