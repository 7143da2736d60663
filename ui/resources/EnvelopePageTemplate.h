#pragma once

#include "ui/resources/DialogTemplate.h"

namespace kilosynth {

// Template 135, the "Envelopes" page: the envelope selector and its "On"
// switch, nine parameter rows, and the envelope graph in the "Graphic :"
// frame.
struct EnvelopePageTemplate {
    static constexpr int Id = 135;

    static constexpr int DelayText = 1004;
    static constexpr int AttackText = 1005;
    static constexpr int HoldText = 1006;
    static constexpr int DecayText = 1007;
    static constexpr int SustainText = 1008;
    static constexpr int LevelText = 1009;
    static constexpr int ReleaseText = 1010;
    static constexpr int AmpText = 1011;
    static constexpr int BasePointText = 1012;

    static constexpr int EnvelopeOn = 1013;

    static constexpr int DelayBar = 1014;
    static constexpr int AttackBar = 1015;
    static constexpr int HoldBar = 1016;
    static constexpr int DecayBar = 1017;
    static constexpr int SustainBar = 1018;
    static constexpr int LevelBar = 1019;
    static constexpr int ReleaseBar = 1020;
    static constexpr int AmpBar = 1021;
    static constexpr int BasePointBar = 1022;

    static constexpr int EnvelopeCombo = 1023;
    static constexpr int EnvelopeGraph = 1043;

    static const DialogTemplate& get();
};

} // namespace kilosynth
