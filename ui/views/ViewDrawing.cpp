#include "ui/views/ViewDrawing.h"

#include "ui/bindings/Truncation.h"
#include "ui/views/LinePen.h"
#include "ui/views/SurfaceView.h"

#include <algorithm>
#include <span>

namespace kilosynth {

namespace {

// Samples per pixel column, so that the width spans the whole sample. Kept as
// a float, and accumulated as a float, which decides the columns' samples.
float samplesPerColumn(const Patch& patch, int width) {
    return static_cast<float>(patch.blockCount() * 1024.0 / width);
}

// The sample a column shows; the float accumulator stays below the sample
// length, and the clamp keeps any rounding from reading past the buffer.
std::size_t sampleIndex(float position) {
    return static_cast<std::size_t>(std::clamp(truncateToInt(position), 0, MaxSamples - 1));
}

// One line per pixel column from column 0 to the last: the value at 0, then
// for each further column the sample that the float accumulator reaches.
template <class Height>
void drawCurve(QImage& surface, std::span<const float> values, float step, Height height) {
    LinePen curve(surface, CurvePen);
    curve.moveTo(0, height(values[0]));
    float position = 0.0f;
    for (int x = 1; x < surface.width(); ++x) {
        position = position + step;
        curve.lineTo(x, height(values[sampleIndex(position)]));
    }
}

void horizontalLine(LinePen& pen, int width, int y) {
    pen.moveTo(0, y);
    pen.lineTo(width, y);
}

} // namespace

void drawSampleView(QImage& surface, const Patch& patch) {
    const int width = surface.width();
    const int height = surface.height();
    surface.fill(qRgb(0, 0, 0));
    if (width <= 0 || height <= 0) {
        return;
    }
    const int half = height / 2;
    const float step = samplesPerColumn(patch, width);

    LinePen grid(surface, GridPen);
    horizontalLine(grid, width, half / 2);
    horizontalLine(grid, width, (3 * half) / 2);

    // Full scale reaches 2% short of the edges.
    drawCurve(surface, patch.mix, step, [half](float value) {
        return truncateToInt(half - static_cast<double>(value) * half * 0.98);
    });

    LinePen centre(surface, CentrePen);
    horizontalLine(centre, width, half);
}

void drawEnvelopeGraph(QImage& surface, const Patch& patch, int envelopeIndex) {
    const int width = surface.width();
    const int height = surface.height();
    surface.fill(qRgb(0, 0, 0));
    if (width <= 0 || height <= 0) {
        return;
    }
    const int half = height / 2;
    const int halfWidth = width / 2;
    const float step = samplesPerColumn(patch, width);

    // Tenths of the size, from the top and left edges up to nine tenths; the
    // products are single-precision, as the grid has always been drawn.
    LinePen grid(surface, GridPen);
    for (int k = 0; k < 10; ++k) {
        const auto tenths = [k](int halfSize) {
            return truncateToInt(static_cast<float>(halfSize) * static_cast<float>(k) * 0.2f);
        };
        horizontalLine(grid, width, tenths(half));
        const int x = tenths(halfWidth);
        grid.moveTo(x, 0);
        grid.lineTo(x, height);
    }

    // 0 lies on the bottom row, 1 just below the top.
    const Envelope& envelope = *patch.envelopes[static_cast<std::size_t>(envelopeIndex)];
    drawCurve(surface, envelope.buffer, step, [half](float value) {
        return truncateToInt((2.0 * half - 0.1) - static_cast<double>(value) * half * 1.98);
    });
}

void createSampleSurface(SurfaceView& sampleView) {
    sampleView.createSurface();
}

void drawSampleView(SurfaceView& sampleView, const Patch& patch) {
    drawSampleView(sampleView.surface(), patch);
    sampleView.present();
}

void createEnvelopeSurface(SurfaceView& envelopeGraph) {
    envelopeGraph.createSurface();
}

void drawEnvelopeGraph(SurfaceView& envelopeGraph, const Patch& patch, int currentEnvelope) {
    drawEnvelopeGraph(envelopeGraph.surface(), patch, currentEnvelope);
    envelopeGraph.present();
}

} // namespace kilosynth
