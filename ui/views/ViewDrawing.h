#pragma once

#include "engine/Patch.h"

#include <QImage>

namespace kilosynth {

class SurfaceView;

// The three pens of the two pictures.
inline constexpr QRgb CurvePen = qRgb(255, 255, 255); // waveform and envelope curve
inline constexpr QRgb CentrePen = qRgb(0, 255, 0);    // the sample view's zero line
inline constexpr QRgb GridPen = qRgb(128, 0, 0);      // guide lines and grid

// Draws the whole rendered sample, the Patch's `mix`, into a 32-bit surface:
// black ground, guide lines at a quarter and three quarters of the height, the
// waveform with one line per pixel column, and the green centre line on top.
void drawSampleView(QImage& surface, const Patch& patch);

// Draws the curve of envelope `envelopeIndex` over the whole sample length on
// a grid of tenths, into a 32-bit surface.
void drawEnvelopeGraph(QImage& surface, const Patch& patch, int envelopeIndex);

// The two picture controls: each gets its surface once, of its size, and
// each drawing is put on the screen at once.
void createSampleSurface(SurfaceView& sampleView);
void drawSampleView(SurfaceView& sampleView, const Patch& patch);
void createEnvelopeSurface(SurfaceView& envelopeGraph);
void drawEnvelopeGraph(SurfaceView& envelopeGraph, const Patch& patch, int currentEnvelope);

} // namespace kilosynth
