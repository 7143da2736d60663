#include "ui/resources/MainDialogTemplate.h"

#include "ui/resources/ProgramInfo.h"

#include <array>

namespace kilosynth {

namespace {

using T = MainDialogTemplate;
using K = ControlKind;
constexpr int None = ControlTemplate::NoId;
constexpr unsigned Disabled = ControlTemplate::Disabled;
constexpr unsigned ReadOnly = ControlTemplate::ReadOnly;
constexpr unsigned Border = ControlTemplate::Border;

constexpr std::array controls{
    ControlTemplate{T::TabControl, K::TabControl, "", {5, 75, 515, 170}},
    ControlTemplate{None, K::GroupBox, "Main Controls :", {5, 5, 140, 68}},
    ControlTemplate{None, K::Static, "Sample length", {10, 15, 47, 8}},
    ControlTemplate{
        T::SampleLengthText, K::Edit, "", {60, 15, 29, 14}, Disabled | ReadOnly | Border},
    ControlTemplate{None, K::Static, "Kb", {95, 15, 10, 8}},
    ControlTemplate{T::SampleLengthBar, K::HorizontalScrollBar, "", {10, 30, 132, 11}},
    ControlTemplate{None, K::Static, "Sample rate :", {10, 45, 42, 8}},
    ControlTemplate{T::SampleRateCombo, K::ComboBox, "", {10, 55, 49, 55}},
    ControlTemplate{None, K::Static, "Select Oscillator :", {65, 45, 56, 8}},
    ControlTemplate{T::OscillatorCombo, K::ComboBox, "", {65, 55, 55, 105}},
    ControlTemplate{None, K::GroupBox, "Oscillator controls :", {150, 5, 369, 68}},
    ControlTemplate{None, K::Static, "Wave Type :", {155, 15, 42, 8}},
    ControlTemplate{T::WaveTypeCombo, K::ComboBox, "", {155, 25, 48, 130}},
    ControlTemplate{None, K::Static, "Base Note :", {205, 15, 38, 8}},
    ControlTemplate{T::BaseNoteCombo, K::ComboBox, "", {205, 25, 35, 100}},
    ControlTemplate{T::OscillatorOn, K::PushLikeCheckBox, "On", {245, 15, 35, 10}},
    ControlTemplate{T::InvertFlag, K::PushLikeCheckBox, "&Invert", {245, 25, 35, 10}},
    ControlTemplate{T::SequencedFlag, K::PushLikeCheckBox, "Sequenced", {285, 15, 55, 10}},
    ControlTemplate{T::ModulatorFlag, K::PushLikeCheckBox, "Envelope", {285, 25, 55, 10}},
    ControlTemplate{None, K::Static, "Frequency :", {155, 40, 38, 8}},
    ControlTemplate{T::FrequencyText, K::Edit, "", {195, 40, 45, 12}, Disabled | ReadOnly},
    ControlTemplate{T::FrequencyBar, K::HorizontalScrollBar, "", {245, 40, 215, 11}},
    ControlTemplate{None, K::Static, "X", {465, 40, 8, 8}},
    ControlTemplate{T::FrequencySourceCombo, K::ComboBox, "", {475, 38, 40, 122}},
    ControlTemplate{None, K::Static, "Amplitude :", {155, 57, 36, 8}},
    ControlTemplate{T::AmplitudeText, K::Edit, "", {195, 55, 45, 12}, Disabled},
    ControlTemplate{T::AmplitudeBar, K::HorizontalScrollBar, "", {245, 55, 215, 11}},
    ControlTemplate{None, K::Static, "X", {465, 55, 8, 8}},
    ControlTemplate{T::AmplitudeSourceCombo, K::ComboBox, "", {475, 55, 40, 122}},
    ControlTemplate{None, K::Static, "Pulse :", {405, 20, 22, 8}, Disabled},
    ControlTemplate{T::PulseText, K::Edit, "", {430, 20, 30, 12}, Disabled},
    ControlTemplate{None, K::Static, "X", {465, 20, 8, 8}, Disabled},
    ControlTemplate{T::PulseSourceCombo, K::ComboBox, "", {475, 20, 40, 122}, Disabled},
    ControlTemplate{None, K::GroupBox, "Sample Drawer :", {5, 245, 400, 85}},
    ControlTemplate{T::SampleView, K::SurfaceView, "", {10, 255, 390, 70}, Disabled},
    ControlTemplate{T::RenderButton, K::PushButton, "&Render", {410, 250, 50, 14}},
    ControlTemplate{T::PlayButton, K::PushButton, "&Play", {410, 265, 50, 14}},
    ControlTemplate{T::StopButton, K::PushButton, "&Stop", {410, 280, 50, 14}},
    ControlTemplate{T::AutoRender, K::PushLikeCheckBox, "Auto Render", {465, 250, 56, 10}},
    ControlTemplate{T::AutoPlay, K::PushLikeCheckBox, "Auto Play", {465, 265, 56, 10}},
    ControlTemplate{T::PlaybackProgress, K::ProgressBar, "", {410, 320, 110, 9}},
    // Not in the original layout: the Patch's size as a file, which intro
    // musicians watch while they edit.
    ControlTemplate{T::FileSizeText, K::Static, "", {410, 305, 110, 8}},
};

constexpr DialogTemplate mainDialog{
    T::Id,   KILOSYNTH_NAME_AND_VERSION " by " KILOSYNTH_AUTHORS ", " KILOSYNTH_YEAR, 526, 335, 8,
    controls};

} // namespace

const DialogTemplate& MainDialogTemplate::get() {
    return mainDialog;
}

} // namespace kilosynth
