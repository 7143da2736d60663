#pragma once

#include "ui/services/PreviewPlayer.h"

#include <string>
#include <utility>

namespace kilosynth::test {

// A preview player that plays nothing: it counts what it was asked to do and
// reports the progress and start-up result the test sets.
class FakePlayer final : public PreviewPlayer {
public:
    FakePlayer() = default;
    // A player whose start-up fails with this reason.
    explicit FakePlayer(std::string failure) : initSucceeds(false), error(std::move(failure)) {}

    bool init() override {
        ++inits;
        return initSucceeds;
    }
    std::string initError() const override { return initSucceeds ? std::string() : error; }
    void play(const Patch& patch) override {
        ++plays;
        lastPlayedSamples = patch.sampleCount();
    }
    void stop() override { ++stops; }
    PreviewProgress progress() const override { return scriptedProgress; }

    bool initSucceeds = true;
    std::string error = "no audio device";
    PreviewProgress scriptedProgress;
    int inits = 0;
    int plays = 0;
    int stops = 0;
    int lastPlayedSamples = -1;
};

} // namespace kilosynth::test
