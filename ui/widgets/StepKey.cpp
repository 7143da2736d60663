#include "ui/widgets/StepKey.h"

#include "engine/SequencerStep.h"

#include <array>

namespace kilosynth {

namespace {

// The lower row plays C to B of the octave base, the upper row the octave
// above, with the sharps on the keys in between, as on a piano.
constexpr std::array<int, 24> NoteKeys{
    Qt::Key_Z, Qt::Key_S, Qt::Key_X, Qt::Key_D, Qt::Key_C, Qt::Key_V, Qt::Key_G, Qt::Key_B,
    Qt::Key_H, Qt::Key_N, Qt::Key_J, Qt::Key_M, Qt::Key_Q, Qt::Key_2, Qt::Key_W, Qt::Key_3,
    Qt::Key_E, Qt::Key_R, Qt::Key_5, Qt::Key_T, Qt::Key_6, Qt::Key_Y, Qt::Key_7, Qt::Key_U,
};

bool isDigit(int key) {
    return key >= Qt::Key_0 && key <= Qt::Key_9;
}

} // namespace

StepKey StepKey::fromKey(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier)) {
        return {};
    }
    if (isDigit(key) && (modifiers & Qt::KeypadModifier)) {
        return {};
    }
    for (int offset = 0; offset < static_cast<int>(NoteKeys.size()); ++offset) {
        if (NoteKeys[static_cast<std::size_t>(offset)] == key) {
            return {Action::Note, offset};
        }
    }
    switch (key) {
    case Qt::Key_Space:
        return {Action::Rest, 0};
    case Qt::Key_O:
        return {Action::ToggleFlag, SequencerStep::Slide};
    case Qt::Key_0:
        return {Action::ToggleFlag, SequencerStep::MarkU};
    case Qt::Key_P:
        return {Action::ToggleFlag, SequencerStep::MarkD};
    case Qt::Key_Up:
        return {Action::CursorUp, 0};
    case Qt::Key_Down:
        return {Action::CursorDown, 0};
    default:
        return {};
    }
}

} // namespace kilosynth
