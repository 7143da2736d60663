#include "ui/views/LinePen.h"

#include <algorithm>
#include <cstdlib>

namespace kilosynth {

namespace {

// Far beyond any surface; keeps a wild coordinate from a wild value from
// stepping through billions of invisible pixels.
constexpr int CoordinateLimit = 1 << 20;

int bounded(int coordinate) {
    return std::clamp(coordinate, -CoordinateLimit, CoordinateLimit);
}

} // namespace

LinePen::LinePen(QImage& image, QRgb penColour) : surface(image), colour(penColour | 0xFF000000u) {}

void LinePen::moveTo(int x, int y) {
    currentX = bounded(x);
    currentY = bounded(y);
}

void LinePen::lineTo(int x, int y) {
    const int endX = bounded(x);
    const int endY = bounded(y);
    const int dx = std::abs(endX - currentX);
    const int dy = -std::abs(endY - currentY);
    const int stepX = currentX < endX ? 1 : -1;
    const int stepY = currentY < endY ? 1 : -1;
    int error = dx + dy;
    int px = currentX;
    int py = currentY;
    while (px != endX || py != endY) {
        plot(px, py);
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            px += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            py += stepY;
        }
    }
    currentX = endX;
    currentY = endY;
}

void LinePen::plot(int x, int y) {
    if (x < 0 || y < 0 || x >= surface.width() || y >= surface.height()) {
        return;
    }
    reinterpret_cast<QRgb*>(surface.scanLine(y))[x] = colour;
}

} // namespace kilosynth
