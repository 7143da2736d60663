#include "tests/support/Sha256.h"

#include "tests/support/Files.h"

#include <gtest/gtest.h>

namespace kilosynth {
namespace {

// Known answers: the FIPS 180-4 examples, and messages of the lengths around
// the 55/56/64-byte padding boundaries, checked against sha256sum.
TEST(Sha256, MatchesKnownDigests) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(55, 'x'), "d5e285683cd4efc02d021a5c62014694958901005d6f71e89e0989fac77e4072"},
        {std::string(63, 'x'), "75220b47218278e656f2013bb8f0c455a25eaf01e86c64924e9d48d89776d6f2"},
        {std::string(64, 'x'), "7ce100971f64e7001e8fe5a51973ecdfe1ced42befe7ee8d5fd6219506b5393c"},
        {std::string(65, 'x'), "9537c5fdf120482f7d58d25e9ed583f52c02b4e304ea814db1633ad565aed7e9"},
        {std::string(119, 'x'), "000b48d4edf0fa7bee3c6236ecd2785baa5db4eeb8bb54341b029e0d9fa5fb0c"},
    };
    for (const auto& [message, digest] : cases) {
        EXPECT_EQ(test::Sha256::of(test::bytesOf(message)), digest) << message.size() << " bytes";
    }
}

TEST(Sha256, PiecewiseUpdatesGiveTheSameDigest) {
    test::Sha256 hash;
    const auto piece = test::bytesOf(std::string(1000, 'a'));
    for (int k = 0; k < 1000; ++k) {
        hash.update(piece);
    }
    EXPECT_EQ(hash.hexDigest(), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

} // namespace
} // namespace kilosynth
