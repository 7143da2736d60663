#pragma once

#include <QImage>

namespace kilosynth {

// Draws one-pixel lines of one colour into a 32-bit image the way the
// classic MoveTo/LineTo pair does: a line starts at the current position,
// runs to the given point without painting that point, and the point becomes
// the new current position. So a polyline paints each vertex once, and a
// line to x = width ends on the last column.
//
// The pixels are chosen by Bresenham's algorithm from the start point; pixels
// outside the image are skipped.
class LinePen {
public:
    LinePen(QImage& surface, QRgb colour);

    void moveTo(int x, int y);
    void lineTo(int x, int y);

private:
    void plot(int x, int y);

    QImage& surface;
    QRgb colour;
    int currentX = 0;
    int currentY = 0;
};

} // namespace kilosynth
