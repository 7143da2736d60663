#pragma once

#include "ui/resources/DialogTemplate.h"
#include "ui/widgets/DialogWidgets.h"

#include <QRect>
#include <QSize>

class QWidget;

namespace kilosynth {

// Pixels of dialog units for the 8-point dialog font, whose base units are
// 6 by 13 pixels: x * 6 / 4 and y * 13 / 8, rounded to the nearest pixel with
// halves away from zero, as the dialog manager maps each value.
int dialogUnitsToPixelsX(int units);
int dialogUnitsToPixelsY(int units);
QRect dialogRectToPixels(const DialogRect& rect);

// Creates the template's controls as children of `dialog`, in template order
// (which is also the tab order), at their pixel rectangles, and gives the
// dialog the template's size and font size. Each control with an id gets the
// id as its objectName ("1004") and is returned in the map.
DialogWidgets buildDialog(const DialogTemplate& dialogTemplate, QWidget& dialog);

} // namespace kilosynth
