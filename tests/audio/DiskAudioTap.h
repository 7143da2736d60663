#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

namespace kilosynth::test {

// Points SDL's disk audio driver at a named pipe in a fresh temporary folder
// and reads back, in order, every sample the device was handed. The driver
// can only run ahead of the reader by what the pipe and its own file buffer
// hold (a few device buffers), so the test decides how far playback gets:
// nothing depends on timing. Construct it before initPreview().
class DiskAudioTap {
public:
    DiskAudioTap();
    ~DiskAudioTap();
    DiskAudioTap(const DiskAudioTap&) = delete;
    DiskAudioTap& operator=(const DiskAudioTap&) = delete;

    // Reads until `done` holds. False when the device stops delivering, or
    // when `done` still fails after far more audio than any test needs.
    bool readUntil(const std::function<bool()>& done);

    // Everything read so far, native 16-bit samples.
    const std::vector<std::int16_t>& samples() const { return received; }

    // Closes the read end, so the driver's next write fails instead of
    // blocking. Call before shutdownPreview(), which waits for the driver.
    void close();

private:
    bool readSome();

    std::filesystem::path folder;
    int fd = -1;
    std::vector<std::uint8_t> unread; // bytes not yet a whole sample
    std::vector<std::int16_t> received;
};

} // namespace kilosynth::test
