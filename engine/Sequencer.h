#pragma once

#include "engine/Generator.h"
#include "engine/SequencerStep.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kilosynth {

// The Patch's note sequencer: plays its pattern once across the whole sample,
// each step the same number of samples, into a frequency curve (Hz) and an
// amplitude curve (a per-step note envelope). Offers the frequency curve to
// modulation.
class Sequencer final : public Generator {
public:
    static constexpr int MaxSteps = 64;

    explicit Sequencer(Patch& owner);
    ~Sequencer() = default;

    // Defaults: 16 empty steps, attack 5, decay 60, off; curves cleared.
    void restoreDefaults();

    double sampleAt(std::int32_t index) const override;
    void render() override;

    // The frequency of a note number (1..255) as the curve holds it.
    static float noteFrequency(std::uint8_t note);

    // Steps in use; always 16 here, and not stored in patch files.
    std::int32_t stepCount;
    std::array<SequencerStep, MaxSteps> steps;
    std::uint8_t attack; // note-envelope rise, hundredths of a step
    std::uint8_t decay;  // fall by the end of a step, hundredths of full amplitude
    std::vector<float> frequencyCurve;
    std::vector<float> amplitudeCurve;
};

} // namespace kilosynth
