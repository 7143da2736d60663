#pragma once

#include "engine/Constants.h"

class QComboBox;

namespace kilosynth {

// A modulation-source combo box and the source byte it shows; without a byte
// the box always shows "none".
struct SourceCombo {
    QComboBox* combo = nullptr;
    const ModSource* source = nullptr;
};

} // namespace kilosynth
