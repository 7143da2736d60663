#pragma once

#include "engine/Constants.h"
#include "engine/Envelope.h"
#include "engine/MasterChain.h"
#include "engine/Oscillator.h"
#include "engine/Sequencer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace kilosynth {

// The whole sound description: eight oscillators, eight envelopes, the
// sequencer, the master effect settings and the two result buffers. Bindings
// and the file reader write straight into its fields; `render` turns it into
// a sample.
class Patch {
public:
    // Bits of `effects`.
    static constexpr std::uint8_t ResonanceOn = 1;
    static constexpr std::uint8_t DelayOn = 2;
    static constexpr std::uint8_t FlangerOn = 4;

    Patch();
    ~Patch();
    Patch(const Patch&) = delete;
    Patch& operator=(const Patch&) = delete;

    // Puts every field back to its default and clears every buffer, as a newly
    // constructed Patch; the generators and buffers themselves stay in place.
    void restoreDefaults();

    // `base` times the curve of `source` at `index`, in double precision; the
    // base itself when the source is none or names no generator (17..127).
    // Reads the source's buffer as it stands at the call.
    double modulate(float base, ModSource source, std::int32_t index) const;

    // Renders the whole sample: envelopes, modulator oscillators, sequencer,
    // all oscillators, mix, master chain, conversion to 16 bits.
    void render();

    // `length` limited to MaxLength: no render ever covers more than the
    // buffers hold, whatever byte a caller stored in `length`.
    int blockCount() const { return length < MaxLength ? length : MaxLength; }
    int sampleCount() const { return blockCount() * BlockSize; }

    // Defaults are set by restoreDefaults(); see Patch.cpp.
    std::uint8_t length; // in Blocks, 0..38; 38 by default
    float rate;          // samples per second; 44100 by default
    std::array<std::unique_ptr<Oscillator>, OscillatorCount> oscillators;
    std::array<std::unique_ptr<Envelope>, EnvelopeCount> envelopes;
    std::unique_ptr<Sequencer> sequencer;
    // Entries 0..7 env1..env8, 8..15 osc1..osc8, 16 the sequencer; not owned.
    std::array<Generator*, SourceCount> sources{};
    std::vector<float> mix;           // the MixBuffer, MaxSamples floats
    std::vector<std::int16_t> sample; // the SampleBuffer, MaxSamples values

    std::uint8_t volume; // gain volume / 127
    ModSource volumeSource;
    std::uint8_t limit; // overdrive pre-gain
    ModSource limitSource;
    std::uint8_t wrap; // wave folder amount
    ModSource wrapSource;
    std::uint8_t effects; // ResonanceOn | DelayOn | FlangerOn
    std::uint8_t cutoff;  // one-pole low-pass smoothing
    ModSource cutoffSource;
    float resonanceFreq; // in units of 1/2.55 Hz
    ModSource resonanceFreqSource;
    std::uint8_t reso;
    ModSource resoSource;
    std::uint8_t delayTime;  // delay of 25 * delayTime + 1 samples
    std::uint8_t delayLevel; // feedback delayLevel / 255
    std::uint8_t flangerRate;
    std::uint8_t flangerDelay;

private:
    void mixOscillators(int n);
    void convertToSamples(int n);

    MasterChain masterChain;
};

} // namespace kilosynth
