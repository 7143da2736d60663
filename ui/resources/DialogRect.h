#pragma once

namespace kilosynth {

// A control's place in dialog units: a quarter of the dialog font's average
// character width horizontally, an eighth of its height vertically.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

} // namespace kilosynth
