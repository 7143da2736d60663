#pragma once

#include "engine/Generator.h"

#include <cstdint>
#include <vector>

namespace kilosynth {

// One of the Patch's eight contour generators: delay, linear attack to a peak,
// hold, linear decay to a sustain level, sustain, linear release back to the
// resting value. Every duration is a fraction of the whole sample.
class Envelope final : public Generator {
public:
    explicit Envelope(Patch& owner);
    ~Envelope() = default;

    // Defaults: decay 255, amp 255, base point 1, the rest 0, off; buffer cleared.
    void restoreDefaults();

    double sampleAt(std::int32_t index) const override;
    void render() override;

    std::uint8_t delay;     // 255ths of the sample at the resting value
    std::uint8_t attack;    // 256ths of the sample, plus one sample
    std::uint8_t hold;      // 255ths of the sample at the peak
    std::uint8_t decay;     // 256ths of the sample, plus one sample
    std::uint8_t sustain;   // 255ths of the sample at the sustain level
    std::uint8_t level;     // the sustain level, in 255ths
    std::uint8_t release;   // 256ths of the sample, plus one sample
    std::uint8_t amp;       // peak height above the resting value, in 255ths
    std::uint8_t basePoint; // the resting value, in 255ths
    // The last enabled render, MaxSamples long.
    std::vector<float> buffer;
};

} // namespace kilosynth
