#include "ui/EnvelopePage.h"

#include "engine/Patch.h"
#include "ui/Editor.h"
#include "ui/MainWindow.h"
#include "ui/resources/EnvelopePageTemplate.h"
#include "ui/views/SurfaceView.h"
#include "ui/views/ViewDrawing.h"
#include "ui/widgets/CheckButtonAdapter.h"
#include "ui/widgets/LineEditAdapter.h"
#include "ui/widgets/ScrollBarAdapter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace kilosynth {

namespace {

using Ids = EnvelopePageTemplate;

// Each row's value field, scroll bar and Envelope field, top to bottom.
struct Row {
    int textId;
    int barId;
    std::uint8_t Envelope::*field;
};
constexpr std::array<Row, EnvelopePage::RowCount> Rows{{
    {Ids::DelayText, Ids::DelayBar, &Envelope::delay},
    {Ids::AttackText, Ids::AttackBar, &Envelope::attack},
    {Ids::HoldText, Ids::HoldBar, &Envelope::hold},
    {Ids::DecayText, Ids::DecayBar, &Envelope::decay},
    {Ids::SustainText, Ids::SustainBar, &Envelope::sustain},
    {Ids::LevelText, Ids::LevelBar, &Envelope::level},
    {Ids::ReleaseText, Ids::ReleaseBar, &Envelope::release},
    {Ids::AmpText, Ids::AmpBar, &Envelope::amp},
    {Ids::BasePointText, Ids::BasePointBar, &Envelope::basePoint},
}};

} // namespace

EnvelopePage::EnvelopePage(Editor& owner, MainWindow& mainWindow, QWidget* parent)
    : TabPage(parent), editor(owner), window(mainWindow) {
    controls = buildPage(EnvelopePageTemplate::get());
    graph = &controls.get<SurfaceView>(Ids::EnvelopeGraph);

    auto& combo = controls.get<QComboBox>(Ids::EnvelopeCombo);
    combo.addItems({"env1", "env2", "env3", "env4", "env5", "env6", "env7", "env8"});
    combo.setCurrentIndex(0);
    createBindings();
    createEnvelopeSurface(*graph);
    selectEnvelope(0);

    connect(&combo, &QComboBox::activated, this, [this](int entry) {
        // A pick always names an entry; a negative one would name no envelope.
        if (entry >= 0) {
            selectEnvelope(entry);
        }
    });
}

EnvelopePage::~EnvelopePage() = default;

void EnvelopePage::createBindings() {
    Envelope& env1 = envelope(0);
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        auto& text = *new LineEditAdapter(controls.get<QLineEdit>(Rows[i].textId));
        auto& bar = *new ScrollBarAdapter(
            controls.get<QScrollBar>(Rows[i].barId),
            [this](const Control* source, ScrollRequest request, std::uint16_t thumb) {
                onScroll(source, request, thumb);
            });
        rows[i] = std::make_unique<ScrollBinding>(env1.*Rows[i].field, 255.0f, text, bar);
        editor.bindings.pushFront(*rows[i]);
    }
    auto& onButton = *new CheckButtonAdapter(controls.get<QPushButton>(Ids::EnvelopeOn),
                                             [this](const Control* source) { onCommand(source); });
    on = std::make_unique<CheckBinding>(env1.enabled, 1, onButton);
    editor.bindings.pushFront(*on);
}

void EnvelopePage::selectEnvelope(int index) {
    if (index == selectedEnvelope) {
        return;
    }
    selectedEnvelope = index;
    Envelope& selected = envelope(index);
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        rows[i]->rebind(selected.*Rows[i].field);
    }
    on->rebind(selected.enabled);
    drawEnvelopeGraph();
}

void EnvelopePage::renderAndRedraw() {
    if (!window.autoRenders()) {
        return;
    }
    editor.render();
    drawEnvelopeGraph();
    window.drawSampleView();
}

void EnvelopePage::drawEnvelopeGraph() {
    kilosynth::drawEnvelopeGraph(*graph, editor.patch, selectedEnvelope);
}

void EnvelopePage::onCommand(const Control* source) {
    on->onCommand(source);
    renderAndRedraw();
    editor.patchEdited();
}

void EnvelopePage::onScroll(const Control* source, ScrollRequest request,
                            std::uint16_t thumbPosition) {
    for (const auto& row : rows) {
        row->onScroll(source, request, thumbPosition);
    }
    // Every scroll message renders, whether or not a binding took it.
    renderAndRedraw();
    editor.patchEdited();
}

Envelope& EnvelopePage::envelope(int index) const {
    return *editor.patch.envelopes[static_cast<std::size_t>(index)];
}

} // namespace kilosynth
