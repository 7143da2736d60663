#include "storage/FileIo.h"
#include "storage/WavFile.h"
#include "tests/support/CaseName.h"
#include "tests/support/Files.h"
#include "tests/support/RunProcess.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kilosynth {
namespace {

using test::ProcessResult;
using test::TempDir;
using Bytes = std::vector<std::uint8_t>;

const std::string Cli = KILOSYNTH_CLI;
const std::filesystem::path ExamplesDir = KILOSYNTH_EXAMPLES_DIR;

std::string example(const std::string& name) {
    return (ExamplesDir / (name + ".trq")).string();
}

ProcessResult cli(const std::vector<std::string>& arguments) {
    return test::runProcess(Cli, arguments);
}

// The WAV the library makes of an example: the CLI must write exactly this.
Bytes renderedWav(const std::string& name, bool floatFormat = false) {
    Patch patch;
    EXPECT_TRUE(loadPatchFile(example(name), patch).ok());
    patch.render();
    return floatFormat ? encodeFloatWav(patch) : encodeWav(patch);
}

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(CliRender, WritesThe16BitWavOfAPatchFile) {
    const TempDir dir;
    const auto result = cli({"render", example("kick"), "-o", (dir / "kick.wav").string()});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(test::readBytes(dir / "kick.wav"), renderedWav("kick"));
}

TEST(CliRender, FloatWritesTheMixAs32BitFloat) {
    const TempDir dir;
    const auto result =
        cli({"render", example("pad"), "-o", (dir / "pad.wav").string(), "--float"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(test::readBytes(dir / "pad.wav"), renderedWav("pad", true));
    const auto info = test::runProcess("sox", {"--i", (dir / "pad.wav").string()});
    EXPECT_NE(info.out.find("32-bit Floating Point PCM"), std::string::npos) << info.out;
}

TEST(CliRender, BatchWritesEachInputIntoTheFolder) {
    const TempDir dir;
    std::filesystem::create_directory(dir / "out");
    // With and without the trailing slash, an existing folder takes the batch.
    for (const std::string& folder : {(dir / "out").string() + "/", (dir / "out").string()}) {
        const auto result = cli({"render", example("hat"), example("snare"), "-o", folder});
        ASSERT_EQ(result.exitStatus, 0) << result.err;
        EXPECT_EQ(test::folderListing(dir / "out"),
                  (std::vector<std::string>{"hat.wav", "snare.wav"}));
        EXPECT_EQ(test::readBytes(dir / "out" / "hat.wav"), renderedWav("hat"));
        EXPECT_EQ(test::readBytes(dir / "out" / "snare.wav"), renderedWav("snare"));
    }
}

TEST(CliRender, ABadFileInABatchIsReportedAndTheOthersAreWritten) {
    const TempDir dir;
    std::filesystem::create_directory(dir / "out");
    test::writeBytes(dir / "broken.trq", Bytes{0x26, 0, 0, 45, 3, 0, 0, 0, 0x7F, 0, 0, 0});
    const auto result = cli({"render", (dir / "broken.trq").string(), example("kick"), "-o",
                             (dir / "out").string() + "/"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, "kilosynth-cli: " + (dir / "broken.trq").string() +
                              ": sample length 45 exceeds 38 blocks\n");
    EXPECT_EQ(test::folderListing(dir / "out"), std::vector<std::string>{"kick.wav"});
}

TEST(CliRender, ReplacesAnExistingWav) {
    const TempDir dir;
    test::writeBytes(dir / "out.wav", Bytes(200000, 1));
    const auto result = cli({"render", example("hat"), "-o", (dir / "out.wav").string()});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(test::readBytes(dir / "out.wav"), renderedWav("hat"));
}

TEST(CliInfo, ShowsEveryFieldAsText) {
    const auto result = cli({"info", example("kick")});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.err, "");
    for (const char* line : {
             "size: 37\n",
             "leadingByte: 38\n",
             "length: 10\n",
             "samples: 10240\n",
             "rate: 44100\n",
             "sequencer: enabled false\n",
             "  env1: enabled true, delay 0, attack 0, hold 20, decay 200, sustain 0, level 0, "
             "release 0, amp 255, basePoint 0\n",
             "  env3: enabled false\n",
             "  osc1: enabled true, waveType Sine, modulator false, sequenced false, invert false, "
             "flags 1, frequency 300, frequencySource env2, amplitude 220, amplitudeSource env1\n",
             "master: volume 127, volumeSource none, limit 4, limitSource none, wrap 0, "
             "wrapSource none, cutoff 0, cutoffSource none\n",
             "resonance: enabled false\n",
             "unset: sequencer attack, decay and steps 1 to 16, sequencer steps 17 to 64 and "
             "stepCount, env3, env4, env5, env6, env7, env8, osc2, osc3, osc4, osc5, osc6, osc7, "
             "osc8, resonance, delay, flanger\n",
             "trailingBytes: 0\n",
         }) {
        EXPECT_NE(result.out.find(line), std::string::npos) << "missing: " << line << result.out;
    }
}

TEST(CliInfo, ShowsSequencerStepsAndTheUnknownByName) {
    const TempDir dir;
    // The arpeggio with a leading byte of 7, rate code 1 and two bytes after the end.
    Bytes bytes = test::readBytes(example("arpeggio"));
    bytes[0] = 7;
    bytes[4] = 1;
    bytes.push_back(0xAB);
    bytes.push_back(0xCD);
    test::writeBytes(dir / "odd.trq", bytes);

    const auto result = cli({"info", (dir / "odd.trq").string()});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    for (const char* line : {
             "leadingByte: 7\n",
             "rateCode: 1\n",
             "rate: 11025\n",
             "    - step 1, note 57, name A_ 4, flags 0, slide false\n",
             "    - step 16, note 59, name B_ 4, flags 0, slide false\n",
             "waveType Square, modulator false, sequenced true",
             "trailingBytes: 2\n",
         }) {
        EXPECT_NE(result.out.find(line), std::string::npos) << "missing: " << line << result.out;
    }
}

// jq reads the JSON independently and checks one fact per expression.
TEST(CliInfo, JsonIsReadByJq) {
    const TempDir dir;
    const auto result = cli({"info", example("zap"), "--json"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    test::writeBytes(dir / "zap.json", test::bytesOf(result.out));
    for (const char* fact : {
             ".size == 54",
             ".file | endswith(\"zap.trq\")",
             ".length == 38 and .rate == 44100 and .rateCode == 3",
             ".effects == 7",
             ".oscillators.osc1.frequencySource == \"env1\"",
             ".oscillators.osc2.waveType == \"Noice\"",
             ".oscillators.osc3 == {\"enabled\": false}",
             ".envelopes.env1.attack == 255 and .envelopes.env1.basePoint == 20",
             ".master.wrapSource == \"env1\" and .master.wrap == 120",
             ".resonance.resonanceFreq == 6000 and .resonance.reso == 40",
             ".delay == {\"enabled\": true, \"delayTime\": 150, \"delayLevel\": 90}",
             ".flanger.flangerRate == 100",
             ".unset | index(\"osc3\") != null",
             ".trailingBytes == 0",
         }) {
        const auto check = test::runProcess("jq", {"-e", fact, (dir / "zap.json").string()});
        EXPECT_EQ(check.exitStatus, 0) << fact << "\n" << check.err << result.out;
    }
}

TEST(CliInfo, JsonEscapesTheFileName) {
    const TempDir dir;
    const auto path = dir / "quote\"back\\slash.trq";
    std::filesystem::copy_file(example("hat"), path);
    const auto result = cli({"info", path.string(), "--json"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    test::writeBytes(dir / "out.json", test::bytesOf(result.out));
    const auto check = test::runProcess("jq", {"-r", ".file", (dir / "out.json").string()});
    EXPECT_EQ(check.out, path.string() + "\n") << check.err;
}

TEST(Cli, HelpGoesToStandardOutputWithStatusZero) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--help"}, {"render", "--help"}, {"info", "--help"}}) {
        const auto result = cli(arguments);
        EXPECT_EQ(result.exitStatus, 0) << arguments[0];
        EXPECT_NE(result.out.find("Usage:"), std::string::npos) << result.out;
        EXPECT_EQ(result.err, "");
    }
}

// An error case: arguments with @ standing for the test's folder, the exit
// status, and the one line the tool must print on stderr.
struct ErrorCase {
    const char* name;
    std::vector<std::string> arguments;
    int exitStatus;
    std::string message;
    friend void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }
};

std::string expand(const std::string& text, const std::string& dir) {
    std::string out;
    for (const char c : text) {
        out += c == '@' ? dir : std::string(1, c);
    }
    return out;
}

class CliError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CliError, PrintsOneLineAndWritesNothing) {
    const auto& c = GetParam();
    const TempDir dir;
    const std::string at = dir.path().string();
    test::writeBytes(dir / "long.trq", Bytes{0x26, 0, 0, 45, 3, 0, 0, 0, 0x7F, 0, 0, 0});
    std::filesystem::copy_file(example("kick"), dir / "kick.trq");
    std::filesystem::copy_file(example("kick"), dir / "song.wav"); // a patch with an odd name
    std::filesystem::create_directories(dir / "a");
    std::filesystem::create_directories(dir / "b");
    std::filesystem::copy_file(example("kick"), dir / "a" / "kick.trq");
    std::filesystem::copy_file(example("snare"), dir / "b" / "kick.trq");
    const auto before = test::folderListing(dir.path());
    const auto kickBytes = test::readBytes(dir / "kick.trq");

    std::vector<std::string> arguments;
    for (const auto& argument : c.arguments) {
        arguments.push_back(expand(argument, at));
    }
    const auto result = cli(arguments);

    EXPECT_EQ(result.exitStatus, c.exitStatus);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "kilosynth-cli: " + expand(c.message, at) + "\n");
    EXPECT_EQ(lineCount(result.err), 1u);
    EXPECT_EQ(test::folderListing(dir.path()), before);
    EXPECT_EQ(test::readBytes(dir / "kick.trq"), kickBytes);
}

const std::string NoSuchFile = std::make_error_code(std::errc::no_such_file_or_directory).message();

INSTANTIATE_TEST_SUITE_P(
    Cli, CliError,
    ::testing::Values(ErrorCase{"noSubcommand", {}, 1, "A subcommand is required (see --help)"},
                      ErrorCase{"unknownSubcommand",
                                {"play-it"},
                                1,
                                "The following argument was not expected: play-it (see --help)"},
                      ErrorCase{"renderWithoutOutput",
                                {"render", "@/kick.trq"},
                                1,
                                "--output is required (see --help)"},
                      ErrorCase{"renderWithoutInput",
                                {"render", "-o", "@/x.wav"},
                                1,
                                "inputs is required (see --help)"},
                      ErrorCase{"unknownOption",
                                {"render", "@/kick.trq", "-o", "@/x.wav", "--loud"},
                                1,
                                "The following argument was not expected: --loud (see --help)"},
                      ErrorCase{"severalInputsToAFile",
                                {"render", "@/kick.trq", "@/long.trq", "-o", "@/x.wav"},
                                1,
                                "@/x.wav: several inputs need -o to name a folder"},
                      ErrorCase{"missingOutputFolder",
                                {"render", "@/kick.trq", "-o", "@/none/"},
                                1,
                                "@/none/: no such folder"},
                      ErrorCase{"sameNameTwice",
                                {"render", "@/a/kick.trq", "@/b/kick.trq", "-o", "@/"},
                                1,
                                "@/kick.wav: two inputs would be written to this file"},
                      ErrorCase{"outputIsTheInput",
                                {"render", "@/kick.trq", "-o", "@/kick.trq"},
                                1,
                                "@/kick.trq: refusing to overwrite an input"},
                      ErrorCase{"batchTargetIsAnInput",
                                {"render", "@/song.wav", "-o", "@/"},
                                1,
                                "@/song.wav: refusing to overwrite an input"},
                      ErrorCase{"missingInput",
                                {"render", "@/none.trq", "-o", "@/x.wav"},
                                2,
                                "@/none.trq: cannot open the file: " + NoSuchFile},
                      ErrorCase{"folderAsInput",
                                {"render", "@/a", "-o", "@/x.wav"},
                                2,
                                "@/a: it is a folder, not a file"},
                      ErrorCase{"refusedInput",
                                {"render", "@/long.trq", "-o", "@/x.wav"},
                                2,
                                "@/long.trq: sample length 45 exceeds 38 blocks"},
                      ErrorCase{"outputIntoAMissingFolder",
                                {"render", "@/kick.trq", "-o", "@/none/x.wav"},
                                2,
                                "@/none/x.wav: cannot create the file: " + NoSuchFile},
                      ErrorCase{"infoWithoutInput", {"info"}, 1, "input is required (see --help)"},
                      ErrorCase{"infoMissing",
                                {"info", "@/none.trq"},
                                2,
                                "@/none.trq: cannot open the file: " + NoSuchFile},
                      ErrorCase{"infoRefused",
                                {"info", "@/long.trq", "--json"},
                                2,
                                "@/long.trq: sample length 45 exceeds 38 blocks"}),
    test::CaseName{});

} // namespace
} // namespace kilosynth
