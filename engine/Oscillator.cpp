#include "engine/Oscillator.h"

#include "engine/Noise.h"
#include "engine/Patch.h"

#include <algorithm>
#include <cmath>

namespace kilosynth {

Oscillator::Oscillator(Patch& owner) : Generator(owner), buffer(MaxSamples) {
    restoreDefaults();
}

void Oscillator::restoreDefaults() {
    enabled = 0;
    flags = static_cast<std::uint8_t>(WaveType::Sine);
    frequency = 5.0f;
    frequencySource = SourceNone;
    amplitude = 252;
    amplitudeSource = SourceNone;
    std::fill(buffer.begin(), buffer.end(), 0.0f);
}

double Oscillator::sampleAt(std::int32_t index) const {
    const double x = buffer[static_cast<std::size_t>(index)];
    // A modulator reports its bipolar output shifted into 0..1.
    return isModulator() ? (x + 1.0) * 0.5 : x;
}

void Oscillator::render() {
    if (enabled == 0) {
        return;
    }
    const double sign = (flags & Invert) != 0 ? -1.0 : 1.0;
    const float base = static_cast<float>(double(amplitude) * double{ByteScale});
    const bool sequenced = (flags & Sequenced) != 0;
    const WaveType type = waveType();
    const Sequencer& seq = *patch.sequencer;
    const double rate = patch.rate;

    // Every enabled render restarts the noise, so a Noise oscillator sounds the
    // same in every render and whatever the order of rendering.
    Noise::reset();

    // Counts samples into the current period, not radians.
    float phase = 0.0f;
    const int n = patch.sampleCount();
    for (int i = 0; i < n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const float ampIn =
            sequenced ? static_cast<float>(double{base} * double{seq.amplitudeCurve[at]}) : base;
        const auto amp = static_cast<float>(patch.modulate(ampIn, amplitudeSource, i));
        // Sequenced: the frequency is a pitch factor in tenths of the note.
        const float freqIn =
            sequenced
                ? static_cast<float>((double{seq.frequencyCurve[at]} * double{frequency}) * 0.1)
                : frequency;
        const auto freq = static_cast<float>(patch.modulate(freqIn, frequencySource, i));
        const double period = rate / double{freq};
        const auto s = static_cast<float>(std::sin((double{phase} * TwoPi) / period));

        double v = 0.0;
        switch (type) {
        case WaveType::Sine:
            v = double{s} * double(amp);
            break;
        case WaveType::Saw: {
            const double m = std::fmod(((double{freq} * double{phase}) / (rate * 0.5)) * 0.5, 1.0);
            v = (2.0 * m - 1.0) * double(amp);
            break;
        }
        case WaveType::Square:
            v = s < 0.0f ? -double(amp) : double(amp);
            break;
        case WaveType::Noise: {
            const double r = Noise::draw();
            v = ((2.0 * r) * double{NoiseScale} - 1.0) * double(amp);
            break;
        }
        case WaveType::Triangle:
            // Deliberately silent: stored Patches that use this type rely on
            // it rendering 0 (a constant 0.5 when used as a modulator).
        default:
            // A type outside 1..5 (only from a hand-made file) is silent too.
            v = 0.0;
            break;
        }
        buffer[at] = static_cast<float>(v * sign);

        phase = static_cast<float>(double{phase} + 1.0);
        // The wrap uses the frequency of the sample just produced; at or below
        // 0.0001 Hz (or negative) the counter just goes on counting.
        if (double{freq} > 0.0001) {
            phase = static_cast<float>(std::fmod(double{phase}, period));
        }
    }
}

} // namespace kilosynth
