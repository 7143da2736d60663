#include "audio/Preview.h"

#include <SDL.h>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kilosynth {

namespace {

// The preview always plays at 22050 samples per second, whatever the Patch's
// rate: a 44100 Hz Patch sounds an octave lower and twice as long here as in
// its WAV export. That is intended and kept.
constexpr int PreviewRate = 22050;

// Samples per device callback: about 23 ms at the preview rate, so a new
// edit is heard almost at once.
constexpr Uint16 CallbackSamples = 512;

// What the audio thread plays. Every field but `device` is shared with SDL's
// audio thread and only touched under the device lock (the callback always
// runs with it held).
struct PreviewState {
    SDL_AudioDeviceID device = 0;
    std::vector<std::int16_t> samples; // MaxSamples, allocated once
    int total = 0;                     // samples of the current playback
    int played = 0;                    // of those, delivered to the device
    std::string error;
};

PreviewState state;

// Hands the device the next samples of the current playback, then silence:
// nothing of an earlier playback can follow the end of this one.
void fillDeviceBuffer(void* userdata, Uint8* stream, int bytes) {
    auto& preview = *static_cast<PreviewState*>(userdata);
    const int wanted = bytes / static_cast<int>(sizeof(std::int16_t));
    const int count = std::min(wanted, preview.total - preview.played);
    const auto copied = static_cast<std::size_t>(count) * sizeof(std::int16_t);
    std::memcpy(stream, preview.samples.data() + preview.played, copied);
    std::memset(stream + copied, 0, static_cast<std::size_t>(bytes) - copied);
    preview.played += count;
}

// Gives the audio subsystem back. Audio is our only use of SDL, so once
// nothing else is initialised, SDL's own state is released too.
void releaseAudioSubsystem() {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
        SDL_Quit();
    }
}

} // namespace

bool initPreview() {
    if (state.device != 0) {
        return true;
    }
    state.error.clear();
    // SDL would otherwise catch SIGINT and SIGTERM and turn them into events
    // that nobody reads here, and the program could no longer be stopped.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        state.error = SDL_GetError();
        releaseAudioSubsystem();
        return false;
    }
    state.samples.assign(MaxSamples, 0);
    state.total = 0;
    state.played = 0;

    SDL_AudioSpec wanted{};
    wanted.freq = PreviewRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = CallbackSamples;
    wanted.callback = fillDeviceBuffer;
    wanted.userdata = &state;
    // No changes allowed: when the hardware differs, SDL converts for us and
    // the callback keeps getting exactly this format.
    state.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (state.device == 0) {
        state.error = SDL_GetError();
        releaseAudioSubsystem();
        return false;
    }
    SDL_PauseAudioDevice(state.device, 0);
    return true;
}

bool previewReady() {
    return state.device != 0;
}

const std::string& previewError() {
    return state.error;
}

void playSample(const Patch& patch) {
    if (state.device == 0) {
        return;
    }
    const auto count =
        std::min<std::size_t>(static_cast<std::size_t>(patch.sampleCount()), patch.sample.size());
    SDL_LockAudioDevice(state.device);
    std::copy_n(patch.sample.begin(), count, state.samples.begin());
    state.total = static_cast<int>(count);
    state.played = 0;
    SDL_UnlockAudioDevice(state.device);
}

void stopPreview() {
    if (state.device == 0) {
        return;
    }
    SDL_LockAudioDevice(state.device);
    state.total = 0;
    state.played = 0;
    SDL_UnlockAudioDevice(state.device);
}

PreviewProgress previewProgress() {
    PreviewProgress progress;
    if (state.device == 0) {
        return progress;
    }
    SDL_LockAudioDevice(state.device);
    progress.played = state.played;
    progress.total = state.total;
    SDL_UnlockAudioDevice(state.device);
    progress.playing = progress.played < progress.total;
    return progress;
}

void shutdownPreview() {
    if (state.device == 0) {
        return;
    }
    SDL_CloseAudioDevice(state.device);
    state.device = 0;
    state.total = 0;
    state.played = 0;
    releaseAudioSubsystem();
}

} // namespace kilosynth
