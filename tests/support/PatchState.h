#pragma once

#include "engine/Patch.h"

#include <bit>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace kilosynth::test {

// Every field a patch file can touch, enabled flags and the fields of
// generators and effects that are off included, as one comparable list.
// Two Patches with equal states load, save and render alike.
inline std::vector<std::uint32_t> patchState(const Patch& patch) {
    std::vector<std::uint32_t> state;
    const auto add = [&state](auto value) {
        if constexpr (std::is_same_v<decltype(value), float>) {
            state.push_back(std::bit_cast<std::uint32_t>(value));
        } else {
            state.push_back(static_cast<std::uint32_t>(value));
        }
    };
    add(patch.length);
    add(patch.rate);
    for (const auto& envelope : patch.envelopes) {
        for (const auto field :
             {envelope->enabled, envelope->delay, envelope->attack, envelope->hold, envelope->decay,
              envelope->sustain, envelope->level, envelope->release, envelope->amp,
              envelope->basePoint}) {
            add(field);
        }
    }
    for (const auto& oscillator : patch.oscillators) {
        add(oscillator->enabled);
        add(oscillator->flags);
        add(oscillator->frequency);
        add(oscillator->frequencySource);
        add(oscillator->amplitude);
        add(oscillator->amplitudeSource);
    }
    const Sequencer& sequencer = *patch.sequencer;
    add(sequencer.enabled);
    add(sequencer.stepCount);
    add(sequencer.attack);
    add(sequencer.decay);
    for (const auto& step : sequencer.steps) {
        add(step.note);
        add(step.flags);
    }
    for (const auto field :
         {patch.volume, patch.limit, patch.wrap, patch.effects, patch.cutoff, patch.reso,
          patch.delayTime, patch.delayLevel, patch.flangerRate, patch.flangerDelay}) {
        add(field);
    }
    for (const auto source : {patch.volumeSource, patch.limitSource, patch.wrapSource,
                              patch.cutoffSource, patch.resonanceFreqSource, patch.resoSource}) {
        add(source);
    }
    add(patch.resonanceFreq);
    return state;
}

// Sets every stored field to a value unlike its default and unlike its
// neighbours, and switches everything on: the file holds all 184 bytes.
inline void fillEveryField(Patch& patch) {
    std::uint8_t next = 11;
    const auto value = [&next] { return next += 7; };
    patch.length = 21;
    for (std::size_t k = 0; k < EnvelopeCount; ++k) {
        Envelope& envelope = *patch.envelopes[k];
        envelope.enabled = 1;
        for (std::uint8_t* field :
             {&envelope.delay, &envelope.attack, &envelope.hold, &envelope.decay, &envelope.sustain,
              &envelope.level, &envelope.release, &envelope.amp, &envelope.basePoint}) {
            *field = value();
        }
    }
    for (std::size_t k = 0; k < OscillatorCount; ++k) {
        Oscillator& oscillator = *patch.oscillators[k];
        oscillator.enabled = 1;
        oscillator.flags = static_cast<std::uint8_t>(value());
        oscillator.frequency = 100.25f * static_cast<float>(k + 1);
        oscillator.amplitude = value();
        // Sources cycle through none, env1..env8 and osc1..osc7.
        oscillator.frequencySource = static_cast<ModSource>(static_cast<int>(k) * 2 - 1);
        oscillator.amplitudeSource = static_cast<ModSource>(14 - static_cast<int>(k));
    }
    Sequencer& sequencer = *patch.sequencer;
    sequencer.enabled = 1;
    sequencer.attack = 33;
    sequencer.decay = 77;
    for (std::size_t i = 0; i < 16; ++i) {
        sequencer.steps[i].note = static_cast<std::uint8_t>(40 + i);
        sequencer.steps[i].flags = static_cast<std::uint8_t>(i % 16);
    }
    patch.effects = 0xF7; // the three effect bits and four more kept as they are
    patch.volume = value();
    patch.limit = value();
    patch.wrap = value();
    patch.cutoff = value();
    patch.volumeSource = 3;
    patch.limitSource = 9;
    patch.wrapSource = 14;
    patch.cutoffSource = SourceNone;
    patch.resonanceFreq = 1234.5f;
    patch.reso = value();
    patch.resonanceFreqSource = 0;
    patch.resoSource = 12;
    patch.delayTime = value();
    patch.delayLevel = value();
    patch.flangerRate = value();
    patch.flangerDelay = value();
}

} // namespace kilosynth::test
