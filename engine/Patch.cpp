#include "engine/Patch.h"

#include "engine/Conversion.h"

#include <algorithm>

namespace kilosynth {

Patch::Patch() {
    // The generators are created one envelope and one oscillator at a time,
    // then the sequencer, then the two result buffers.
    for (int k = 0; k < OscillatorCount; ++k) {
        const auto at = static_cast<std::size_t>(k);
        envelopes[at] = std::make_unique<Envelope>(*this);
        sources[static_cast<std::size_t>(FirstEnvelopeSource + k)] = envelopes[at].get();
        oscillators[at] = std::make_unique<Oscillator>(*this);
        sources[static_cast<std::size_t>(FirstOscillatorSource + k)] = oscillators[at].get();
    }
    sequencer = std::make_unique<Sequencer>(*this);
    sources[SequencerSource] = sequencer.get();
    mix.assign(MaxSamples, 0.0f);
    sample.assign(MaxSamples, 0);
    restoreDefaults();
}

Patch::~Patch() {
    for (int k = 0; k < OscillatorCount; ++k) {
        oscillators[static_cast<std::size_t>(k)].reset();
        envelopes[static_cast<std::size_t>(k)].reset();
    }
    sequencer.reset();
    mix = {};
    sample = {};
}

void Patch::restoreDefaults() {
    length = MaxLength;
    rate = 44100.0f;
    for (auto& envelope : envelopes) {
        envelope->restoreDefaults();
    }
    for (auto& oscillator : oscillators) {
        oscillator->restoreDefaults();
    }
    sequencer->restoreDefaults();
    std::fill(mix.begin(), mix.end(), 0.0f);
    std::fill(sample.begin(), sample.end(), std::int16_t{0});

    volume = 127;
    volumeSource = SourceNone;
    limit = 0;
    limitSource = SourceNone;
    wrap = 0;
    wrapSource = SourceNone;
    effects = 0;
    cutoff = 0;
    cutoffSource = SourceNone;
    resonanceFreq = 255.0f;
    resonanceFreqSource = SourceNone;
    reso = 4;
    resoSource = SourceNone;
    delayTime = 200;
    delayLevel = 80;
    flangerRate = 0;
    flangerDelay = 0;
}

double Patch::modulate(float base, ModSource source, std::int32_t index) const {
    // Negative is none; 17..127 name no generator and count as none too.
    if (source < 0 || source >= SourceCount) {
        return base;
    }
    return double{base} * sources[static_cast<std::size_t>(source)]->sampleAt(index);
}

void Patch::render() {
    const int n = sampleCount();

    // The order decides which curve a modulated parameter sees: envelopes are
    // current for everyone; a modulator oscillator is rendered before the
    // sequencer and again with the rest, so the others see it current.
    for (auto& envelope : envelopes) {
        envelope->render();
    }
    for (auto& oscillator : oscillators) {
        if (oscillator->isModulator()) {
            oscillator->render();
        }
    }
    sequencer->render();
    for (auto& oscillator : oscillators) {
        oscillator->render();
    }

    mixOscillators(n);
    masterChain.run(*this);
    convertToSamples(n);
}

void Patch::mixOscillators(int n) {
    for (int i = 0; i < n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        double sum = 0.0;
        for (const auto& oscillator : oscillators) {
            // Modulator oscillators only modulate; they are never heard.
            if (!oscillator->isModulator() && oscillator->enabled != 0) {
                sum += oscillator->buffer[at];
            }
        }
        mix[at] = static_cast<float>(clampUnit(sum));
    }
}

void Patch::convertToSamples(int n) {
    for (int i = 0; i < n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        sample[at] = sampleFromMix(mix[at]);
    }
}

} // namespace kilosynth
