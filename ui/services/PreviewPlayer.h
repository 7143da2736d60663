#pragma once

#include "audio/Preview.h"
#include "engine/Patch.h"

#include <string>

namespace kilosynth {

// Plays rendered samples for the editor. The real one is the sound card
// preview; tests use a scripted one that counts what was played.
class PreviewPlayer {
public:
    virtual ~PreviewPlayer() = default;

    // Sets the player up; false when there is no sound, with the reason in
    // initError(). Playing then does nothing.
    virtual bool init() = 0;
    virtual std::string initError() const = 0;

    // Plays the Patch's current sample once from its start, replacing what
    // was playing; does not render.
    virtual void play(const Patch& patch) = 0;
    virtual void stop() = 0;
    virtual PreviewProgress progress() const = 0;
};

} // namespace kilosynth
