#pragma once

#include <cstdint>

namespace kilosynth {

// One step of the Sequencer's pattern.
struct SequencerStep {
    // Glide into the next step and tie to it.
    static constexpr std::uint8_t Slide = 2;
    // Marks the pattern editor shows as 'U' and 'D'; rendering ignores them.
    static constexpr std::uint8_t MarkU = 4;
    static constexpr std::uint8_t MarkD = 8;

    std::uint8_t note = 0; // 0 is a rest; 69 is 440 Hz, 12 notes per octave
    std::uint8_t flags = 0;
};

} // namespace kilosynth
