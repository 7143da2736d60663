#pragma once

#include "ui/resources/DialogTemplate.h"

namespace kilosynth {

// Template 102, the main window: the main controls, the selected
// oscillator's panel, the tab control and the sample drawer.
struct MainDialogTemplate {
    static constexpr int Id = 102;

    static constexpr int TabControl = 1000;
    static constexpr int SampleLengthText = 1004;
    static constexpr int SampleLengthBar = 1005;
    static constexpr int OscillatorOn = 1006;
    static constexpr int SampleRateCombo = 1007;
    static constexpr int OscillatorCombo = 1008;
    static constexpr int WaveTypeCombo = 1009;
    static constexpr int BaseNoteCombo = 1010;
    static constexpr int FrequencyText = 1011;
    static constexpr int AmplitudeText = 1012;
    static constexpr int SequencedFlag = 1013;
    static constexpr int FrequencyBar = 1014;
    static constexpr int AmplitudeBar = 1015;
    static constexpr int FrequencySourceCombo = 1016;
    static constexpr int AmplitudeSourceCombo = 1017;
    static constexpr int PulseText = 1018;
    static constexpr int PulseSourceCombo = 1019;
    static constexpr int RenderButton = 1020;
    static constexpr int PlayButton = 1021;
    static constexpr int StopButton = 1022;
    static constexpr int AutoRender = 1023;
    static constexpr int AutoPlay = 1024;
    static constexpr int PlaybackProgress = 1025;
    static constexpr int InvertFlag = 1026;
    static constexpr int ModulatorFlag = 1027; // shown as "Envelope"
    static constexpr int SampleView = 1042;
    static constexpr int FileSizeText = 1050; // the Patch's size as a file, in bytes

    static const DialogTemplate& get();
};

} // namespace kilosynth
