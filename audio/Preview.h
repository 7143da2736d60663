#pragma once

// Contract for the audio preview. Implemented in audio/Preview.cpp on SDL2.

#include "engine/Patch.h"

#include <string>

namespace kilosynth {

// Opens the default output device for 16-bit signed mono at 22050 samples
// per second. Never blocks or crashes without a device: returns false and
// keeps SDL's reason for previewError().
bool initPreview();

// True after a successful initPreview() (until shutdownPreview()).
bool previewReady();

// Why initPreview() failed; empty when it succeeded or was not called.
const std::string& previewError();

// Plays the Patch's first length * 1024 samples once, from the start, at
// 22050 samples per second whatever the Patch's rate. Stops whatever was
// playing first; copies the samples, so later renders cannot change what is
// heard. Returns at once. Does nothing when the preview is not ready.
void playSample(const Patch& patch);

// Stops playback at once.
void stopPreview();

// How far the current playback has got.
struct PreviewProgress {
    int played = 0; // samples delivered to the device so far
    int total = 0;  // samples of the current playback
    bool playing = false;
};
PreviewProgress previewProgress();

// Closes the device and the SDL audio subsystem (at exit, and in tests).
void shutdownPreview();

} // namespace kilosynth
