#include "ui/views/ViewDrawing.h"

#include "engine/Patch.h"
#include "tests/support/CaseName.h"
#include "ui/views/LinePen.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>
#include <set>
#include <utility>
#include <vector>

namespace kilosynth {
namespace {

constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Green = qRgb(0, 255, 0);
constexpr QRgb DarkRed = qRgb(128, 0, 0);

// The sample view of the main window is 390 x 70 dialog units: 585 x 114 pixels.
constexpr int SampleWidth = 585;
constexpr int SampleHeight = 114;

QImage blankSurface(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000u;
}

std::set<std::pair<int, int>> paintedPixels(const QImage& image) {
    std::set<std::pair<int, int>> painted;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (at(image, x, y) != Black) {
                painted.insert({x, y});
            }
        }
    }
    return painted;
}

// ------------------------------------------------------------------ LinePen

struct LineCase {
    const char* name;
    std::vector<std::pair<int, int>> points; // moveTo the first, lineTo the rest
    std::set<std::pair<int, int>> painted;
};

void PrintTo(const LineCase& c, std::ostream* out) {
    *out << c.name;
}

class LinePenTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LinePenTest, PaintsEveryPixelButTheEndPoint) {
    const LineCase& c = GetParam();
    QImage image = blankSurface(8, 8);
    LinePen pen(image, White);
    pen.moveTo(c.points[0].first, c.points[0].second);
    for (std::size_t i = 1; i < c.points.size(); ++i) {
        pen.lineTo(c.points[i].first, c.points[i].second);
    }
    EXPECT_EQ(paintedPixels(image), c.painted);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LinePenTest,
    ::testing::Values(
        LineCase{"Rightwards", {{2, 2}, {5, 2}}, {{2, 2}, {3, 2}, {4, 2}}},
        LineCase{"Leftwards", {{5, 2}, {2, 2}}, {{5, 2}, {4, 2}, {3, 2}}},
        LineCase{"Downwards", {{1, 1}, {1, 4}}, {{1, 1}, {1, 2}, {1, 3}}},
        LineCase{"Upwards", {{1, 4}, {1, 1}}, {{1, 4}, {1, 3}, {1, 2}}},
        LineCase{"ToTheSamePointPaintsNothing", {{3, 3}, {3, 3}}, {}},
        LineCase{"SteepColumnStep", {{0, 0}, {1, 4}}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
        LineCase{"SteepUpwardStep", {{0, 4}, {1, 0}}, {{0, 4}, {0, 3}, {1, 2}, {1, 1}}},
        LineCase{"PolylinePaintsInnerVerticesOnce",
                 {{0, 5}, {1, 5}, {2, 3}, {3, 3}},
                 {{0, 5}, {1, 5}, {2, 4}, {2, 3}}},
        LineCase{"AcrossTheWholeWidth",
                 {{0, 7}, {8, 7}},
                 {{0, 7}, {1, 7}, {2, 7}, {3, 7}, {4, 7}, {5, 7}, {6, 7}, {7, 7}}},
        LineCase{"ClippedAtTheEdges", {{-3, 1}, {2, 1}, {2, -5}}, {{0, 1}, {1, 1}, {2, 1}, {2, 0}}},
        LineCase{"FarOutsideIsSkipped", {{-2000000000, 3}, {-1000000000, 3}}, {}}),
    test::CaseName{});

// -------------------------------------------------------------- sample view

class SampleViewTest : public ::testing::Test {
protected:
    SampleViewTest() : surface(blankSurface(SampleWidth, SampleHeight)) {}

    void fillMix(float value) { std::fill(patch.mix.begin(), patch.mix.end(), value); }

    Patch patch;
    QImage surface;
};

TEST_F(SampleViewTest, SilenceShowsGreenCentreOverTheTraceAndTwoGuideLines) {
    fillMix(0.0f);
    surface.fill(Qt::white); // the whole surface is drawn anew
    drawSampleView(surface, patch);

    // half = 57: guide lines at 57 / 2 = 28 and 3 * 57 / 2 = 85.
    std::set<std::pair<int, int>> expected;
    for (int x = 0; x < SampleWidth; ++x) {
        EXPECT_EQ(at(surface, x, 28), DarkRed) << x;
        EXPECT_EQ(at(surface, x, 85), DarkRed) << x;
        EXPECT_EQ(at(surface, x, 57), Green) << x;
        expected.insert({{x, 28}, {x, 57}, {x, 85}});
    }
    EXPECT_EQ(paintedPixels(surface), expected);
}

TEST_F(SampleViewTest, FullScaleLandsTwoPercentFromTheEdges) {
    struct Case {
        float value;
        int row;
    };
    // 57 - 57 * 0.98 = 1.14 and 57 + 57 * 0.98 = 112.86, truncated.
    for (const Case c : {Case{1.0f, 1}, Case{-1.0f, 112}}) {
        fillMix(c.value);
        drawSampleView(surface, patch);
        // The trace ends one column short: the last line stops before its end point.
        for (int x = 0; x < SampleWidth - 1; ++x) {
            ASSERT_EQ(at(surface, x, c.row), White) << c.value << " at " << x;
        }
        EXPECT_EQ(at(surface, SampleWidth - 1, c.row), Black) << c.value;
        EXPECT_EQ(at(surface, 0, 57), Green);
    }
}

TEST_F(SampleViewTest, ZeroLengthShowsTheFirstMixValueInEveryColumn) {
    fillMix(-1.0f);
    patch.mix[0] = 1.0f;
    patch.length = 0;
    drawSampleView(surface, patch);
    for (int x = 0; x < SampleWidth - 1; ++x) {
        ASSERT_EQ(at(surface, x, 1), White) << x;
        ASSERT_EQ(at(surface, x, 112), Black) << x;
    }
}

TEST_F(SampleViewTest, EachColumnShowsItsOwnStretchOfTheSample) {
    // A one-Block sample over 585 columns: about 1.75 samples per column, so
    // a full-scale pulse in the second half shows in the second half only.
    fillMix(0.0f);
    patch.length = 1;
    std::fill(patch.mix.begin() + 512, patch.mix.begin() + 1024, 1.0f);
    drawSampleView(surface, patch);
    EXPECT_EQ(at(surface, 100, 1), Black);
    EXPECT_EQ(at(surface, 290, 1), Black);
    EXPECT_EQ(at(surface, 300, 1), White);
    EXPECT_EQ(at(surface, 583, 1), White);
}

// ----------------------------------------------------------- envelope graph

// The envelope page's graph is 155 x 115 dialog units: 233 x 187 pixels.
constexpr int GraphWidth = 233;
constexpr int GraphHeight = 187;

TEST(EnvelopeGraphTest, GridOfTenthsFromTheTopAndLeftEdges) {
    Patch patch;
    QImage surface = blankSurface(GraphWidth, GraphHeight);
    std::fill(patch.envelopes[0]->buffer.begin(), patch.envelopes[0]->buffer.end(), 1.0f);
    drawEnvelopeGraph(surface, patch, 0);

    // half = 93 and halfWidth = 116, times k * 0.2 in single precision, truncated.
    const std::vector<int> rows{0, 18, 37, 55, 74, 93, 111, 130, 148, 167};
    const std::vector<int> columns{0, 23, 46, 69, 92, 116, 139, 162, 185, 208};
    for (int y = 2; y < GraphHeight; ++y) { // below the curve, which lies on row 1
        const bool gridRow = std::find(rows.begin(), rows.end(), y) != rows.end();
        for (int x = 0; x < GraphWidth; ++x) {
            const bool gridColumn = std::find(columns.begin(), columns.end(), x) != columns.end();
            ASSERT_EQ(at(surface, x, y), gridRow || gridColumn ? DarkRed : Black) << x << ", " << y;
        }
    }
}

TEST(EnvelopeGraphTest, CurveHeights) {
    struct Case {
        int height;
        float value;
        int row;
    };
    // 0 draws at 2 * half - 1, the bottom row when the height is even; 1 at
    // (2 * half - 0.1) - half * 1.98, near the top.
    for (const Case c :
         {Case{186, 0.0f, 185}, Case{187, 0.0f, 185}, Case{187, 1.0f, 1}, Case{100, 0.5f, 50}}) {
        Patch patch;
        Envelope& envelope = *patch.envelopes[2];
        std::fill(envelope.buffer.begin(), envelope.buffer.end(), c.value);
        QImage surface = blankSurface(GraphWidth, c.height);
        drawEnvelopeGraph(surface, patch, 2);
        // Column 1 is clear of the grid's vertical lines.
        EXPECT_EQ(at(surface, 1, c.row), White) << c.height << " " << c.value;
        EXPECT_EQ(at(surface, 200, c.row), White) << c.height << " " << c.value;
    }
}

TEST(EnvelopeGraphTest, ShowsTheChosenEnvelope) {
    Patch patch;
    std::fill(patch.envelopes[4]->buffer.begin(), patch.envelopes[4]->buffer.end(), 1.0f);
    QImage fifth = blankSurface(GraphWidth, GraphHeight);
    QImage first = blankSurface(GraphWidth, GraphHeight);
    drawEnvelopeGraph(fifth, patch, 4);
    drawEnvelopeGraph(first, patch, 0);
    EXPECT_EQ(at(fifth, 1, 1), White);
    EXPECT_EQ(at(fifth, 1, 185), Black);
    EXPECT_EQ(at(first, 1, 1), Black);
    EXPECT_EQ(at(first, 1, 185), White);
}

} // namespace
} // namespace kilosynth
