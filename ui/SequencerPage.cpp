#include "ui/SequencerPage.h"

#include "engine/Patch.h"
#include "ui/Editor.h"
#include "ui/MainWindow.h"
#include "ui/resources/SequencerPageTemplate.h"
#include "ui/widgets/CheckButtonAdapter.h"
#include "ui/widgets/LineEditAdapter.h"
#include "ui/widgets/ScrollBarAdapter.h"
#include "ui/widgets/StepList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <array>
#include <cstdio>

namespace kilosynth {

namespace {

using Ids = SequencerPageTemplate;

// The note envelope's attack and decay, in hundredths.
constexpr float NoteEnvelopeMaximum = 100.0f;

// One step as a row of fixed columns: the note name in columns 0 and 1 and
// its octave right-aligned in 2 and 3 ("____" for a rest), the flags 'S',
// 'U' and 'D' in columns 9, 11 and 13 ('_' when clear), and the step number
// after '#' in column 17.
QString stepRowText(const SequencerStep& step, int stepNumber) {
    static constexpr std::array<const char*, 12> NoteNames{"C_", "C#", "D_", "D#", "E_", "F_",
                                                           "F#", "G_", "G#", "A_", "A#", "B_"};
    char text[32];
    if (step.note == 0) {
        std::snprintf(text, sizeof text, "____     _ _ _   #%i", stepNumber);
    } else {
        std::snprintf(text, sizeof text, "C_%2i     _ _ _   #%i", step.note / 12, stepNumber);
        const char* name = NoteNames[step.note % 12];
        text[0] = name[0];
        text[1] = name[1];
    }
    text[9] = (step.flags & SequencerStep::Slide) != 0 ? 'S' : '_';
    text[11] = (step.flags & SequencerStep::MarkU) != 0 ? 'U' : '_';
    text[13] = (step.flags & SequencerStep::MarkD) != 0 ? 'D' : '_';
    return QString::fromLatin1(text);
}

} // namespace

SequencerPage::SequencerPage(Editor& owner, MainWindow& mainWindow, QWidget* parent)
    : TabPage(parent), editor(owner), window(mainWindow) {
    controls = buildPage(SequencerPageTemplate::get());
    stepList = &controls.get<StepList>(Ids::StepList);
    stepList->setKeyHandler([this](StepKey key) { onStepKey(key); });

    // Only shown: the pattern always has 16 steps, and no note envelope can
    // be chosen.
    auto& numNotes = controls.get<QComboBox>(Ids::NumNotesCombo);
    numNotes.addItems({"8", "16", "32", "64"});
    numNotes.setCurrentIndex(1);

    createBindings();
    for (SequencerStep& step : sequencer().steps) {
        step = SequencerStep{};
    }
    rebuildStepList();
}

SequencerPage::~SequencerPage() = default;

void SequencerPage::createBindings() {
    Sequencer& seq = sequencer();
    const auto onScrollMessage = [this](const Control* source, ScrollRequest request,
                                        std::uint16_t thumb) { onScroll(source, request, thumb); };
    attack = std::make_unique<ScrollBinding>(
        seq.attack, NoteEnvelopeMaximum,
        *new LineEditAdapter(controls.get<QLineEdit>(Ids::AttackText)),
        *new ScrollBarAdapter(controls.get<QScrollBar>(Ids::AttackBar), onScrollMessage));
    editor.bindings.pushFront(*attack);
    decay = std::make_unique<ScrollBinding>(
        seq.decay, NoteEnvelopeMaximum,
        *new LineEditAdapter(controls.get<QLineEdit>(Ids::DecayText)),
        *new ScrollBarAdapter(controls.get<QScrollBar>(Ids::DecayBar), onScrollMessage));
    editor.bindings.pushFront(*decay);
    on = std::make_unique<CheckBinding>(
        seq.enabled, 1,
        *new CheckButtonAdapter(controls.get<QPushButton>(Ids::SequencerOn),
                                [this](const Control* source) { onCommand(source); }));
    editor.bindings.pushFront(*on);
}

void SequencerPage::rebuildStepList() {
    cursorStep = 0;
    const Sequencer& seq = sequencer();
    QStringList rows;
    for (int i = 0; i < std::clamp(seq.stepCount, 0, Sequencer::MaxSteps); ++i) {
        rows << stepRowText(seq.steps[static_cast<std::size_t>(i)], i + 1);
    }
    stepList->resetRows(rows);
}

void SequencerPage::showEvent(QShowEvent* event) {
    TabPage::showEvent(event);
    stepList->setFocus();
}

void SequencerPage::onStepKey(StepKey key) {
    const int stepCount = stepList->count();
    if (stepCount == 0) {
        return;
    }
    SequencerStep& step = sequencer().steps[static_cast<std::size_t>(cursorStep)];
    bool edited = true;
    switch (key.action) {
    case StepKey::Action::Note:
        step.note = static_cast<std::uint8_t>(OctaveBase * 12 + key.value);
        break;
    case StepKey::Action::Rest:
        step.note = 0;
        break;
    case StepKey::Action::ToggleFlag:
        step.flags = static_cast<std::uint8_t>(step.flags ^ key.value);
        break;
    case StepKey::Action::CursorUp:
        cursorStep = cursorStep == 0 ? stepCount - 1 : cursorStep - 1;
        edited = false;
        break;
    case StepKey::Action::CursorDown:
        cursorStep = cursorStep + 1 == stepCount ? 0 : cursorStep + 1;
        edited = false;
        break;
    case StepKey::Action::None:
        edited = false;
        break;
    }
    if (edited) {
        // A note or a rest keeps the step's flags, a flag keeps its note.
        stepList->item(cursorStep)->setText(stepRowText(step, cursorStep + 1));
        cursorStep = cursorStep + 1 == stepCount ? 0 : cursorStep + 1;
    }
    stepList->highlightRow(cursorStep);
    if (edited) {
        // Nothing is rendered: the change is heard after the next render.
        editor.patchEdited();
    }
}

void SequencerPage::onCommand(const Control* source) {
    on->onCommand(source);
    window.renderAndPlay();
    editor.patchEdited();
}

void SequencerPage::onScroll(const Control* source, ScrollRequest request,
                             std::uint16_t thumbPosition) {
    decay->onScroll(source, request, thumbPosition);
    attack->onScroll(source, request, thumbPosition);
    // The note envelope is heard after the next render; nothing renders here.
    editor.patchEdited();
}

Sequencer& SequencerPage::sequencer() const {
    return *editor.patch.sequencer;
}

} // namespace kilosynth
