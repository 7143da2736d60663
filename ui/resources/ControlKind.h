#pragma once

namespace kilosynth {

// The kinds of control a dialog template places.
enum class ControlKind {
    TabControl,
    GroupBox,
    Static,
    Edit,
    HorizontalScrollBar,
    ComboBox, // a drop-down list; picks always name an entry
    PushButton,
    DefaultPushButton,
    PushLikeCheckBox, // an automatic check box drawn as a toggle button
    CheckBox,         // an automatic check box
    SurfaceView,      // a picture drawn off-screen and copied on paint
    ProgressBar,
    StepList, // the sequencer's list of steps, edited from the keyboard
};

} // namespace kilosynth
