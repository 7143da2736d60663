#pragma once

#include "engine/Constants.h"
#include "engine/Generator.h"

#include <cstdint>
#include <vector>

namespace kilosynth {

// One of the Patch's eight tone generators: sine, saw, square or noise, with
// per-sample frequency and amplitude that may follow the Sequencer and be
// multiplied by any other generator's curve.
class Oscillator final : public Generator {
public:
    // The low five bits of `flags`.
    enum class WaveType : std::uint8_t { Sine = 1, Saw = 2, Triangle = 3, Square = 4, Noise = 5 };

    static constexpr std::uint8_t WaveTypeMask = 0x1F;
    // Not heard; reports its output shifted into 0..1 and is rendered in an
    // extra pass before the Sequencer.
    static constexpr std::uint8_t Modulator = 0x20;
    // Frequency and amplitude follow the Sequencer's curves.
    static constexpr std::uint8_t Sequenced = 0x40;
    // Every output sample is negated.
    static constexpr std::uint8_t Invert = 0x80;

    explicit Oscillator(Patch& owner);
    ~Oscillator() = default;

    // Defaults: a Sine at 5 Hz, amplitude 252, no sources, off; buffer cleared.
    void restoreDefaults();

    double sampleAt(std::int32_t index) const override;
    void render() override;

    WaveType waveType() const { return static_cast<WaveType>(flags & WaveTypeMask); }
    bool isModulator() const { return (flags & Modulator) != 0; }

    std::uint8_t flags;
    // In Hz; when Sequenced, a pitch factor in tenths of the step's note.
    float frequency;
    ModSource frequencySource;
    // 0..255, scaled by ByteScale.
    std::uint8_t amplitude;
    ModSource amplitudeSource;
    // The last enabled render, MaxSamples long.
    std::vector<float> buffer;
};

} // namespace kilosynth
