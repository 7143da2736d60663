#include "storage/PatchFile.h"
#include "tests/support/CaseName.h"
#include "tests/support/PatchState.h"

#include <gtest/gtest.h>

namespace kilosynth {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::patchState;

// A Patch that differs from both the default and the full file, so any
// field the reader touched would show.
void prepareTarget(Patch& patch) {
    patch.length = 7;
    patch.rate = 11025.0f;
    patch.oscillators[2]->enabled = 1;
    patch.oscillators[2]->frequency = 321.0f;
    patch.envelopes[5]->enabled = 1;
    patch.envelopes[5]->attack = 99;
    patch.sequencer->steps[3] = {61, 2};
    patch.effects = Patch::DelayOn;
    patch.delayTime = 3;
    patch.volume = 50;
    patch.cutoffSource = 12;
}

Bytes fullFile() {
    Patch patch;
    test::fillEveryField(patch);
    return encodePatch(patch);
}

void expectRefused(const Bytes& bytes, const std::string& message) {
    Patch patch;
    prepareTarget(patch);
    const auto before = patchState(patch);
    const ReadResult result = readPatch(patch, bytes);
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, message);
    EXPECT_EQ(patchState(patch), before) << "a refused file changed the Patch";
}

TEST(PatchFileRefusal, EveryTruncationOfAFullFile) {
    const Bytes full = fullFile();
    ASSERT_EQ(full.size(), 184u);
    for (std::size_t size = 0; size < full.size(); ++size) {
        SCOPED_TRACE("file cut after " + std::to_string(size) + " bytes");
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        std::string message;
        if (size == 0) {
            message = "file is empty";
        } else if (size == 1) {
            message = "file is only 1 byte long; the header alone takes 6";
        } else if (size < 6) {
            message =
                "file is only " + std::to_string(size) + " bytes long; the header alone takes 6";
        } else {
            message =
                "file ends after " + std::to_string(size) + " bytes; its header announces 184";
        }
        expectRefused(cut, message);
    }
}

TEST(PatchFileRefusal, TruncatedSmallFileNamesWhatItsHeaderAnnounces) {
    // Sequencer bit set, so the file announces 12 + 34 bytes but holds 17.
    Bytes bytes = {0x26, 0x00, 0x00, 0xA6, 0x03, 0x00};
    bytes.resize(17, 0);
    expectRefused(bytes, "file ends after 17 bytes; its header announces 46");
}

struct HeaderCase {
    const char* name;
    std::uint8_t lengthByte;
    std::uint8_t rateCode;
    std::string message;
    friend void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }
};

class HeaderRefusal : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderRefusal, LeavesThePatchAsItWas) {
    const auto& c = GetParam();
    Bytes bytes = {0x26, 0x00, 0x00, c.lengthByte, c.rateCode, 0x00, 0x00, 0x00, 0x7F, 0, 0, 0};
    if ((c.lengthByte & 0x80) != 0) {
        bytes.insert(bytes.begin() + 6, 34, 0);
    }
    expectRefused(bytes, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    PatchFile, HeaderRefusal,
    ::testing::Values(HeaderCase{"length39", 39, 3, "sample length 39 exceeds 38 blocks"},
                      HeaderCase{"length45", 45, 3, "sample length 45 exceeds 38 blocks"},
                      HeaderCase{"length127", 127, 3, "sample length 127 exceeds 38 blocks"},
                      HeaderCase{"length39WithSequencer", 0x80 | 39, 3,
                                 "sample length 39 exceeds 38 blocks"},
                      HeaderCase{"rate4", 38, 4, "unknown sample-rate code 4"},
                      HeaderCase{"rate9", 38, 9, "unknown sample-rate code 9"},
                      HeaderCase{"rate255", 38, 255, "unknown sample-rate code 255"}),
    test::CaseName{});

TEST(PatchFileRefusal, LimitsThemselvesAreAccepted) {
    Bytes bytes = {0x26, 0x00, 0x00, 38, 0, 0x00, 0x00, 0x00, 0x7F, 0, 0, 0};
    Patch patch;
    ASSERT_TRUE(readPatch(patch, bytes));
    EXPECT_EQ(patch.length, 38);
    bytes[3] = 0;
    ASSERT_TRUE(readPatch(patch, bytes));
    EXPECT_EQ(patch.length, 0);
}

} // namespace
} // namespace kilosynth
