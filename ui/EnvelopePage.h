#pragma once

#include "ui/TabPage.h"
#include "ui/bindings/CheckBinding.h"
#include "ui/bindings/ScrollBinding.h"

#include <array>
#include <cstdint>
#include <memory>

namespace kilosynth {

class Editor;
class Envelope;
class MainWindow;
class SurfaceView;

// The "Envelopes" page, template 135: one of the eight envelopes at a time,
// chosen in the "Envelope" box, with its nine parameters, its "On" switch and
// its curve in the envelope graph. Every edit renders and redraws the graph
// and the sample view, and never plays: shaping a curve is done by eye.
class EnvelopePage final : public TabPage {
    Q_OBJECT

public:
    static constexpr int RowCount = 9;

    // Creates the ten bindings on envelope 1, pushing each onto the editor's
    // list, and draws envelope 1's curve from the start-up render.
    EnvelopePage(Editor& editor, MainWindow& window, QWidget* parent);
    ~EnvelopePage() override;

    // Points the page at envelope `index` (0 is env1) and draws its curve as
    // the last render left it, without rendering; the selected one again
    // does nothing.
    void selectEnvelope(int index);

    // Renders the Patch, then redraws the envelope graph and the sample view
    // (while "Auto Render" is checked, like every render after an edit).
    void renderAndRedraw();

    // Redraws the graph from the selected envelope's curve.
    void drawEnvelopeGraph() override;

    int currentEnvelope() const { return selectedEnvelope; }

private:
    void createBindings();
    void onCommand(const Control* source);
    void onScroll(const Control* source, ScrollRequest request, std::uint16_t thumbPosition);
    Envelope& envelope(int index) const;

    Editor& editor;
    MainWindow& window;
    DialogWidgets controls;
    SurfaceView* graph = nullptr;
    int selectedEnvelope = -1;

    // Delay, Attack, Hold, Decay, Sustain, Level, Release, Amp, Base pnt.
    std::array<std::unique_ptr<ScrollBinding>, RowCount> rows;
    std::unique_ptr<CheckBinding> on;
};

} // namespace kilosynth
