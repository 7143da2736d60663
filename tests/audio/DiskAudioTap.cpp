#include "tests/audio/DiskAudioTap.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kilosynth::test {

namespace {

// Far more audio than any test reads: about 20 seconds at 22050 Hz.
constexpr std::size_t ReadLimit = 1u << 19;

// Upper bound on waiting for one write of the driver; reached only when the
// device has stopped delivering, never in a passing run.
constexpr int StallMilliseconds = 30000;

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

} // namespace

DiskAudioTap::DiskAudioTap() {
    // The driver writes into a pipe we close before shutting it down.
    std::signal(SIGPIPE, SIG_IGN);

    std::string pattern = (std::filesystem::temp_directory_path() / "kilosynth-audio-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) {
        fail("mkdtemp");
    }
    folder = pattern;
    const auto pipePath = folder / "device.raw";
    if (mkfifo(pipePath.c_str(), 0600) != 0) {
        fail("mkfifo");
    }
    // Opening the read end first without blocking lets the driver's open for
    // writing succeed at once.
    fd = ::open(pipePath.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        fail("open");
    }
#ifdef F_SETPIPE_SZ
    // The smallest pipe keeps the driver close behind the reader.
    fcntl(fd, F_SETPIPE_SZ, 4096);
#endif
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", pipePath.c_str(), 1);
    // No pause between writes: the pipe alone paces the driver.
    setenv("SDL_DISKAUDIODELAY", "0", 1);
}

DiskAudioTap::~DiskAudioTap() {
    close();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void DiskAudioTap::close() {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

bool DiskAudioTap::readUntil(const std::function<bool()>& done) {
    while (!done()) {
        if (received.size() > ReadLimit || !readSome()) {
            return false;
        }
    }
    return true;
}

bool DiskAudioTap::readSome() {
    if (fd < 0) {
        return false;
    }
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, StallMilliseconds) <= 0) {
        return false;
    }
    std::uint8_t bytes[2048];
    const ssize_t count = ::read(fd, bytes, sizeof bytes);
    if (count <= 0) {
        return false; // an error, or the driver closed its end
    }
    unread.insert(unread.end(), bytes, bytes + count);
    const std::size_t whole = unread.size() / 2;
    const std::size_t first = received.size();
    received.resize(first + whole);
    std::memcpy(received.data() + first, unread.data(), whole * 2);
    unread.erase(unread.begin(), unread.begin() + static_cast<long>(whole * 2));
    return true;
}

} // namespace kilosynth::test
