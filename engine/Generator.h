#pragma once

#include <cstdint>

namespace kilosynth {

class Patch;

// Common base of Oscillator, Envelope and Sequencer. A generator fills its own
// buffer(s) when rendered and offers one curve to modulation through sampleAt.
//
// The destructor is protected and not virtual: the Patch owns each generator
// through its exact kind and never deletes one through this base.
class Generator {
public:
    Generator(const Generator&) = delete;
    Generator& operator=(const Generator&) = delete;

    // The generator's curve at a sample index (0 <= index < MaxSamples), as it
    // stands in the buffer now; does not look at `enabled`.
    virtual double sampleAt(std::int32_t index) const = 0;

    // Stores the on/off flag; 0 is off, anything else on.
    virtual void setEnabled(std::uint8_t flag);

    // Recomputes the curve over the Patch's length when enabled; when off,
    // returns at once and the buffer keeps its last curve.
    virtual void render() = 0;

    std::uint8_t enabled = 0;
    Patch& patch;

protected:
    explicit Generator(Patch& owner) : patch(owner) {}
    ~Generator() = default;
};

} // namespace kilosynth
