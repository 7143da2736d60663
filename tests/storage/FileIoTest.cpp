#include "storage/FileIo.h"

#include "storage/PatchFile.h"
#include "tests/support/CaseName.h"
#include "tests/support/Files.h"
#include "tests/support/PatchState.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace kilosynth {
namespace {

using test::patchState;
using test::TempDir;
using Bytes = std::vector<std::uint8_t>;

Bytes fullFile() {
    Patch patch;
    test::fillEveryField(patch);
    return encodePatch(patch);
}

struct LoadCase {
    const char* name;
    // Prepares the folder and returns the path to load.
    std::filesystem::path (*prepare)(const std::filesystem::path& dir);
    FileResult::Status status;
    std::string message;
    friend void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }
};

class LoadFailure : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadFailure, LeavesThePatchAsItWas) {
    const auto& c = GetParam();
    const TempDir dir;
    const auto path = c.prepare(dir.path());
    Patch patch;
    patch.oscillators[0]->enabled = 1;
    patch.oscillators[0]->frequency = 123.0f;
    patch.length = 3;
    const auto before = patchState(patch);

    const FileResult result = loadPatchFile(path, patch);

    EXPECT_EQ(result.status, c.status);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.error, c.message);
    EXPECT_EQ(patchState(patch), before);
}

INSTANTIATE_TEST_SUITE_P(
    Storage, LoadFailure,
    ::testing::Values(
        LoadCase{"missingFile",
                 [](const std::filesystem::path& dir) { return dir / "missing.trq"; },
                 FileResult::Status::CannotOpen,
                 "cannot open the file: " +
                     std::make_error_code(std::errc::no_such_file_or_directory).message()},
        LoadCase{"folder", [](const std::filesystem::path& dir) { return dir; },
                 FileResult::Status::CannotOpen, "it is a folder, not a file"},
        LoadCase{"largerThan64KiB",
                 [](const std::filesystem::path& dir) {
                     Bytes bytes = fullFile();
                     bytes.resize(MaxPatchFileBytes + 1, 0);
                     test::writeBytes(dir / "large.trq", bytes);
                     return dir / "large.trq";
                 },
                 FileResult::Status::CannotOpen,
                 "the file is larger than 64 KiB; a patch file is at most 184 bytes"},
        LoadCase{"empty",
                 [](const std::filesystem::path& dir) {
                     test::writeBytes(dir / "empty.trq", {});
                     return dir / "empty.trq";
                 },
                 FileResult::Status::Refused, "file is empty"},
        LoadCase{"truncated",
                 [](const std::filesystem::path& dir) {
                     Bytes bytes = fullFile();
                     bytes.resize(100);
                     test::writeBytes(dir / "cut.trq", bytes);
                     return dir / "cut.trq";
                 },
                 FileResult::Status::Refused,
                 "file ends after 100 bytes; its header announces 184"},
        LoadCase{"length45",
                 [](const std::filesystem::path& dir) {
                     test::writeBytes(dir / "long.trq",
                                      Bytes{0x26, 0, 0, 45, 3, 0, 0, 0, 0x7F, 0, 0, 0});
                     return dir / "long.trq";
                 },
                 FileResult::Status::Refused, "sample length 45 exceeds 38 blocks"}),
    test::CaseName{});

TEST(LoadPatchFile, AcceptsAFileOfExactly64KiB) {
    const TempDir dir;
    Bytes bytes = fullFile();
    bytes.resize(MaxPatchFileBytes, 0xEE);
    test::writeBytes(dir / "big.trq", bytes);
    Patch patch;
    const FileResult result = loadPatchFile(dir / "big.trq", patch);
    ASSERT_TRUE(result.ok()) << result.error;
    Patch expected;
    test::fillEveryField(expected);
    EXPECT_EQ(patchState(patch), patchState(expected));
}

TEST(SavePatchFile, SavesWhatLoadsBackAndReplacesAnOldFile) {
    const TempDir dir;
    const auto path = dir / "patch.trq";
    test::writeBytes(path, Bytes(1000, 0x55));
    Patch patch;
    test::fillEveryField(patch);

    const FileResult saved = savePatchFile(path, patch);
    ASSERT_TRUE(saved.ok()) << saved.error;
    EXPECT_EQ(test::readBytes(path), encodePatch(patch));
    EXPECT_EQ(test::folderListing(dir.path()), std::vector<std::string>{"patch.trq"});

    Patch loaded;
    const FileResult result = loadPatchFile(path, loaded);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(patchState(loaded), patchState(patch));
}

TEST(SavePatchFile, IntoAMissingFolderFailsAndLeavesNothing) {
    const TempDir dir;
    const Patch patch;
    const FileResult result = savePatchFile(dir / "no" / "patch.trq", patch);
    EXPECT_EQ(result.status, FileResult::Status::WriteFailed);
    EXPECT_FALSE(result.error.empty());
    EXPECT_TRUE(test::folderListing(dir.path()).empty());
}

} // namespace
} // namespace kilosynth
