#include "engine/Sequencer.h"

#include "engine/Constants.h"
#include "engine/Patch.h"

#include <algorithm>
#include <cmath>

namespace kilosynth {

namespace {

// The double nearest the twelfth root of 2.
constexpr double SemitoneRatio = 1.0594630943592953;

double noteHz(std::uint8_t note) {
    return 440.0 * std::pow(SemitoneRatio, note - 69);
}

} // namespace

Sequencer::Sequencer(Patch& owner)
    : Generator(owner), frequencyCurve(MaxSamples), amplitudeCurve(MaxSamples) {
    restoreDefaults();
}

void Sequencer::restoreDefaults() {
    enabled = 0;
    stepCount = 16;
    steps.fill(SequencerStep{});
    attack = 5;
    decay = 60;
    std::fill(frequencyCurve.begin(), frequencyCurve.end(), 0.0f);
    std::fill(amplitudeCurve.begin(), amplitudeCurve.end(), 0.0f);
}

double Sequencer::sampleAt(std::int32_t index) const {
    return frequencyCurve[static_cast<std::size_t>(index)];
}

float Sequencer::noteFrequency(std::uint8_t note) {
    return static_cast<float>(noteHz(note));
}

void Sequencer::render() {
    if (enabled == 0) {
        return;
    }
    // Always 16 here; kept within the steps that exist whatever a caller stored.
    const int count = std::clamp(stepCount, 1, MaxSteps);
    const int samplesPerStep = patch.sampleCount() / count;
    const double a = attack * 0.01;
    const double d = 1.0 - decay * 0.01;

    std::size_t j = 0;
    for (int i = 0; i < count; ++i) {
        const SequencerStep& step = steps[static_cast<std::size_t>(i)];
        // Step 0 has no previous step: it never glides and keeps its attack.
        const SequencerStep previous =
            i >= 1 ? steps[static_cast<std::size_t>(i - 1)] : SequencerStep{};
        const SequencerStep& next = steps[static_cast<std::size_t>((i + 1) % count)];

        const float f = step.note != 0 ? noteFrequency(step.note) : 0.0f;
        // The glide starts at the previous note, or an octave below this one.
        const double g = previous.note != 0 ? noteHz(previous.note) : double{f} * 0.5;
        const bool glides = (previous.flags & SequencerStep::Slide) != 0;
        const double gate = step.note != 0 ? 1.0 : 0.0;
        // Tied from a sliding note: no attack.
        const double attackEnd = previous.note != 0 && glides ? 0.0 : a;
        // Tied into the next note: no decay.
        const double decayEnd = (step.flags & SequencerStep::Slide) != 0 && next.note != 0
                                    ? 1.0
                                    : double{static_cast<float>(d)};

        for (int k = 0; k < samplesPerStep; ++k, ++j) {
            const double t = static_cast<float>(double(k) / double(samplesPerStep));
            frequencyCurve[j] = glides ? static_cast<float>(g + (double{f} - g) * t) : f;
            const double e = t < attackEnd
                                 ? t / attackEnd
                                 : (t - attackEnd) / (1.0 - attackEnd) * (decayEnd - 1.0) + 1.0;
            amplitudeCurve[j] = static_cast<float>(gate * e);
        }
    }
}

} // namespace kilosynth
