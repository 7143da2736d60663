#include "storage/AtomicWrite.h"

#include "tests/support/CaseName.h"
#include "tests/support/FailingOutputFile.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace kilosynth {
namespace {

using test::bytesOf;
using test::folderListing;
using test::readBytes;
using test::TempDir;
using Listing = std::vector<std::string>;

const std::vector<std::uint8_t> NewContent = bytesOf("the new content, forty bytes long.......");

struct FailureCase {
    const char* name;
    test::FailurePlan plan;
    std::string message;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class AtomicWriteFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(AtomicWriteFailure, RemovesThePartialFileAndKeepsTheOldTarget) {
    const auto& c = GetParam();
    const TempDir dir;
    const auto target = dir / "target.wav";
    test::writeBytes(target, bytesOf("old content"));

    const FileResult result =
        writeFileAtomically(target, NewContent, test::FailingOutputFile::factory(c.plan));

    EXPECT_EQ(result.status, FileResult::Status::WriteFailed);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.error, c.message);
    EXPECT_EQ(readBytes(target), bytesOf("old content"));
    EXPECT_EQ(folderListing(dir.path()), Listing{"target.wav"});
}

TEST_P(AtomicWriteFailure, LeavesNothingWhenThereWasNoTarget) {
    const TempDir dir;
    const auto target = dir / "new.trq";
    const FileResult result =
        writeFileAtomically(target, NewContent, test::FailingOutputFile::factory(GetParam().plan));
    EXPECT_EQ(result.status, FileResult::Status::WriteFailed);
    EXPECT_EQ(folderListing(dir.path()), Listing{});
}

const std::string NoSpace = std::make_error_code(std::errc::no_space_on_device).message();

INSTANTIATE_TEST_SUITE_P(
    Storage, AtomicWriteFailure,
    ::testing::Values(FailureCase{"firstByte", test::FailurePlan::afterBytes(0),
                                  "cannot write the file: " + NoSpace},
                      FailureCase{"afterTenBytes", test::FailurePlan::afterBytes(10),
                                  "cannot write the file: " + NoSpace},
                      FailureCase{"lastByte", test::FailurePlan::afterBytes(39),
                                  "cannot write the file: " + NoSpace},
                      FailureCase{"sync", test::FailurePlan::onSync(),
                                  "cannot flush the file to disk: " + NoSpace},
                      FailureCase{"close", test::FailurePlan::onClose(),
                                  "cannot close the file: " + NoSpace}),
    test::CaseName{});

TEST(AtomicWrite, FailingAfterEveryByteLeavesNoPartialFile) {
    const TempDir dir;
    const auto target = dir / "target.trq";
    test::writeBytes(target, bytesOf("old"));
    for (std::size_t n = 0; n < NewContent.size(); ++n) {
        const FileResult result = writeFileAtomically(
            target, NewContent, test::FailingOutputFile::factory(test::FailurePlan::afterBytes(n)));
        EXPECT_FALSE(result.ok()) << n;
        EXPECT_EQ(readBytes(target), bytesOf("old")) << n;
        EXPECT_EQ(folderListing(dir.path()), Listing{"target.trq"}) << n;
    }
}

TEST(AtomicWrite, ReplacesTheWholeContentOfAnExistingFile) {
    const TempDir dir;
    const auto target = dir / "target.wav";
    test::writeBytes(target, std::vector<std::uint8_t>(5000, 0xAA));
    const FileResult result = writeFileAtomically(target, NewContent);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_TRUE(result.error.empty());
    EXPECT_EQ(readBytes(target), NewContent);
    EXPECT_EQ(folderListing(dir.path()), Listing{"target.wav"});
}

TEST(AtomicWrite, WritesAnEmptyFile) {
    const TempDir dir;
    const auto target = dir / "empty";
    ASSERT_TRUE(writeFileAtomically(target, {}).ok());
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(std::filesystem::file_size(target), 0u);
}

TEST(AtomicWrite, AReplacedFileKeepsItsPermissions) {
    using std::filesystem::perms;
    const TempDir dir;
    const auto target = dir / "target.trq";
    test::writeBytes(target, bytesOf("old"));
    const perms mode = perms::owner_read | perms::owner_write | perms::group_read;
    std::filesystem::permissions(target, mode);
    ASSERT_TRUE(writeFileAtomically(target, NewContent).ok());
    EXPECT_EQ(std::filesystem::status(target).permissions(), mode);
}

TEST(AtomicWrite, TriesAnotherNameWhenTheTemporaryNameIsTaken) {
    const TempDir dir;
    const auto target = dir / "target.trq";
    int calls = 0;
    const OutputFileFactory takenOnce =
        [&calls](const std::filesystem::path& path,
                 std::error_code& error) -> std::unique_ptr<OutputFile> {
        if (++calls == 1) {
            error = std::make_error_code(std::errc::file_exists);
            return nullptr;
        }
        return StdioOutputFile::create(path, error);
    };
    ASSERT_TRUE(writeFileAtomically(target, NewContent, takenOnce).ok());
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(readBytes(target), NewContent);
}

// Real file-system failures: each makes creating the file fail.
struct FolderCase {
    const char* name;
    // Prepares the folder and returns the target path.
    std::filesystem::path (*prepare)(const std::filesystem::path& dir);
    std::string message;
    friend void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }
};

class AtomicWriteFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(AtomicWriteFolder, FailsCleanly) {
    const auto& c = GetParam();
    const TempDir dir;
    const auto target = c.prepare(dir.path());
    const Listing before = folderListing(dir.path());

    const FileResult result = writeFileAtomically(target, NewContent);

    EXPECT_EQ(result.status, FileResult::Status::WriteFailed);
    EXPECT_EQ(result.error, c.message);
    EXPECT_EQ(folderListing(dir.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Storage, AtomicWriteFolder,
    ::testing::Values(
        FolderCase{"missingFolder",
                   [](const std::filesystem::path& dir) { return dir / "missing" / "out.wav"; },
                   "cannot create the file: " +
                       std::make_error_code(std::errc::no_such_file_or_directory).message()},
        FolderCase{"parentIsAFile",
                   [](const std::filesystem::path& dir) {
                       test::writeBytes(dir / "plain", bytesOf("x"));
                       return dir / "plain" / "out.wav";
                   },
                   "cannot create the file: " +
                       std::make_error_code(std::errc::not_a_directory).message()},
        FolderCase{"targetIsAFolder",
                   [](const std::filesystem::path& dir) {
                       std::filesystem::create_directory(dir / "sub");
                       return dir / "sub";
                   },
                   "it is a folder, not a file"}),
    test::CaseName{});

TEST(AtomicWrite, ReadOnlyFolderFailsCleanly) {
    using std::filesystem::perms;
    const TempDir dir;
    const auto folder = dir / "locked";
    std::filesystem::create_directory(folder);
    test::writeBytes(folder / "out.wav", bytesOf("old"));
    std::filesystem::permissions(folder, perms::owner_read | perms::owner_exec);

    // Permission bits do not stop a privileged user (tests may run as root);
    // the missing-folder and parent-is-a-file cases cover that situation.
    {
        std::ofstream probe(folder / "probe");
        if (probe) {
            probe.close();
            std::filesystem::remove(folder / "probe");
            GTEST_SKIP() << "permission bits do not stop writes for this user";
        }
    }

    const FileResult result = writeFileAtomically(folder / "out.wav", NewContent);
    EXPECT_EQ(result.status, FileResult::Status::WriteFailed);
    EXPECT_EQ(result.error, "cannot create the file: " +
                                std::make_error_code(std::errc::permission_denied).message());
    EXPECT_EQ(readBytes(folder / "out.wav"), bytesOf("old"));
    EXPECT_EQ(folderListing(folder), Listing{"out.wav"});
}

TEST(AtomicWrite, RefusesAPathWithoutAFileName) {
    const TempDir dir;
    const FileResult result = writeFileAtomically(dir.path() / "", NewContent);
    EXPECT_EQ(result.status, FileResult::Status::WriteFailed);
    EXPECT_EQ(result.error, "the path names a folder, not a file");
}

} // namespace
} // namespace kilosynth
