#pragma once

#include "engine/Patch.h"

namespace kilosynth::test {

// The editor's start-up Patch: defaults with osc1 and env1 on.
inline void makeStartupPatch(Patch& patch) {
    patch.restoreDefaults();
    patch.oscillators[0]->enabled = 1;
    patch.envelopes[0]->enabled = 1;
}

// Everything on at once, as heavy as a render gets: all eight oscillators
// (two modulators), sources crossing between them, all envelopes, the
// sequencer with notes and slides, all three effects with every master source.
inline void makeHeavyPatch(Patch& patch) {
    using WaveType = Oscillator::WaveType;
    patch.restoreDefaults();
    patch.length = MaxLength;
    const WaveType types[] = {WaveType::Sine, WaveType::Saw, WaveType::Square, WaveType::Noise,
                              WaveType::Sine, WaveType::Saw, WaveType::Square, WaveType::Sine};
    for (int k = 0; k < OscillatorCount; ++k) {
        Oscillator& osc = *patch.oscillators[static_cast<std::size_t>(k)];
        osc.enabled = 1;
        osc.flags = static_cast<std::uint8_t>(types[k]);
        osc.frequency = 55.0f * static_cast<float>(k + 1);
        osc.amplitude = static_cast<std::uint8_t>(60 + 20 * k);
        // Each oscillator's amplitude follows an envelope, its frequency the next oscillator.
        osc.amplitudeSource = static_cast<ModSource>(k);
        osc.frequencySource = static_cast<ModSource>(FirstOscillatorSource + (k + 1) % 8);
    }
    patch.oscillators[1]->flags |= Oscillator::Modulator;
    patch.oscillators[6]->flags |= Oscillator::Modulator;
    patch.oscillators[2]->flags |= Oscillator::Sequenced;
    patch.oscillators[2]->frequency = 10.0f;
    patch.oscillators[5]->flags |= Oscillator::Sequenced | Oscillator::Invert;
    patch.oscillators[5]->frequency = 20.0f;
    for (int k = 0; k < EnvelopeCount; ++k) {
        Envelope& env = *patch.envelopes[static_cast<std::size_t>(k)];
        env.enabled = 1;
        env.delay = static_cast<std::uint8_t>(4 * k);
        env.attack = static_cast<std::uint8_t>(2 + k);
        env.hold = 10;
        env.decay = static_cast<std::uint8_t>(40 + 10 * k);
        env.sustain = 30;
        env.level = 100;
        env.release = 20;
        env.amp = 200;
        env.basePoint = 5;
    }
    Sequencer& seq = *patch.sequencer;
    seq.enabled = 1;
    const std::uint8_t notes[] = {45, 57, 0, 52, 45, 60, 64, 0, 45, 57, 55, 52, 48, 0, 69, 57};
    for (int i = 0; i < 16; ++i) {
        seq.steps[static_cast<std::size_t>(i)] = {
            notes[i], static_cast<std::uint8_t>(i % 3 == 0 ? SequencerStep::Slide : 0)};
    }
    patch.effects = Patch::ResonanceOn | Patch::DelayOn | Patch::FlangerOn;
    patch.volumeSource = 0;
    patch.limit = 40;
    patch.limitSource = 1;
    patch.wrap = 10;
    patch.wrapSource = 9;
    patch.cutoff = 30;
    patch.cutoffSource = 2;
    patch.resonanceFreq = 2000.0f;
    patch.resonanceFreqSource = 3;
    patch.reso = 60;
    patch.resoSource = 4;
    patch.delayTime = 80;
    patch.delayLevel = 100;
    patch.flangerRate = 30;
    patch.flangerDelay = 20;
}

} // namespace kilosynth::test
