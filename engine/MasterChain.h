#pragma once

#include <vector>

namespace kilosynth {

class Patch;

// The fixed master effects run in place over the MixBuffer: overdrive and wave
// folder, one-pole low-pass, resonance filter, feedback delay, flanger, volume.
// The delay line is allocated once, for its largest size, so a render never
// allocates; it is cleared at the start of every delay stage.
class MasterChain {
public:
    static constexpr int MaxDelayLength = 25 * 255 + 1;

    MasterChain();

    // Rewrites mix[0..n-1] of the Patch (and mix[0] even when n is 0).
    void run(Patch& patch);

private:
    std::vector<float> delayLine;
};

} // namespace kilosynth
