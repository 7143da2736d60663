#pragma once

#include <QtCore/qnamespace.h>

namespace kilosynth {

// What one key does in the sequencer's step list, by the tracker-style key
// table: two rows of the keyboard play two octaves, Space writes a rest,
// O, 0 and P flip a step's flags, Up and Down move the cursor.
struct StepKey {
    enum class Action { None, Note, Rest, ToggleFlag, CursorUp, CursorDown };

    // Letters count whatever the Shift state, and with Ctrl held as well;
    // digits count only from the main row, so a keypad digit does nothing.
    // With Alt or Meta held a key belongs to the menu and the system.
    static StepKey fromKey(int key, Qt::KeyboardModifiers modifiers);

    Action action = Action::None;
    // Note: semitones above the octave base (0 to 23); ToggleFlag: the bit.
    int value = 0;
};

} // namespace kilosynth
