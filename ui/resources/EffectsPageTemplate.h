#pragma once

#include "ui/resources/DialogTemplate.h"

namespace kilosynth {

// Template 132, the "Filters" page: the master chain's rows (value, scroll
// bar, modulation source) in the "Overdrive", "Resonance", "Delay" and
// "Flanger" frames, with an on/off switch on the last three frames.
struct EffectsPageTemplate {
    static constexpr int Id = 132;

    static constexpr int VolumeText = 1004;
    static constexpr int LimitText = 1005;
    static constexpr int WrapText = 1006;
    static constexpr int CutoffText = 1007;
    static constexpr int ResonanceFreqText = 1008;
    static constexpr int ResoText = 1009;
    static constexpr int DelayTimeText = 1010;
    static constexpr int DelayLevelText = 1011;
    static constexpr int FlangerDelayText = 1012;
    static constexpr int FlangerRateText = 1013;

    static constexpr int VolumeBar = 1014;
    static constexpr int LimitBar = 1015;
    static constexpr int WrapBar = 1018;
    static constexpr int CutoffBar = 1020;
    static constexpr int ResonanceFreqBar = 1022;
    static constexpr int ResoBar = 1024;
    static constexpr int DelayTimeBar = 1027;
    static constexpr int DelayLevelBar = 1029;
    static constexpr int FlangerDelayBar = 1032;
    static constexpr int FlangerRateBar = 1034;

    static constexpr int VolumeSourceCombo = 1016;
    static constexpr int LimitSourceCombo = 1017;
    static constexpr int WrapSourceCombo = 1019;
    static constexpr int CutoffSourceCombo = 1021;
    static constexpr int ResonanceFreqSourceCombo = 1023;
    static constexpr int ResoSourceCombo = 1025;
    static constexpr int DelayTimeSourceCombo = 1028;  // disabled, always "none"
    static constexpr int DelayLevelSourceCombo = 1030; // disabled, always "none"

    static constexpr int ResonanceOn = 1026;
    static constexpr int DelayOn = 1031;
    static constexpr int FlangerOn = 1036;

    static const DialogTemplate& get();
};

} // namespace kilosynth
