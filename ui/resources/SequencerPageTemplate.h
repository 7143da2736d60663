#pragma once

#include "ui/resources/DialogTemplate.h"

namespace kilosynth {

// Template 136, the "Sequencer" page: the step list that the keyboard fills,
// the sequencer's "On" switch, the note envelope's "Attack :" and "Decay :",
// and two boxes that only show what they hold.
struct SequencerPageTemplate {
    static constexpr int Id = 136;

    static constexpr int AttackText = 1008;
    static constexpr int DecayText = 1009;
    static constexpr int SequencerOn = 1013;
    static constexpr int AttackBar = 1022;
    static constexpr int NumNotesCombo = 1023;     // disabled, shows "16"
    static constexpr int NoteEnvelopeCombo = 1024; // disabled, always empty
    static constexpr int DecayBar = 1025;
    static constexpr int StepList = 1040;

    static const DialogTemplate& get();
};

} // namespace kilosynth
