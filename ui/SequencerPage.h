#pragma once

#include "ui/TabPage.h"
#include "ui/bindings/CheckBinding.h"
#include "ui/bindings/ScrollBinding.h"
#include "ui/widgets/StepKey.h"

#include <cstdint>
#include <memory>

namespace kilosynth {

class Editor;
class MainWindow;
class Sequencer;
class StepList;

// The "Sequencer" page, template 136: the pattern editor. The step list
// shows one row per step and is filled from the keyboard, tracker fashion;
// beside it the sequencer's "On" switch and the note envelope's "Attack :"
// and "Decay :". Typed notes and the note envelope change the Patch without
// rendering: they are heard after the next render, which "On" or an edit
// elsewhere brings about.
class SequencerPage final : public TabPage {
    Q_OBJECT

public:
    // Notes typed from the keyboard lie in the two octaves from this one up.
    static constexpr int OctaveBase = 5;

    // Creates the three bindings, pushing each onto the editor's list, clears
    // every step of the pattern and builds the step list.
    SequencerPage(Editor& editor, MainWindow& window, QWidget* parent);
    ~SequencerPage() override;

    // Shows the sequencer's steps anew and puts the cursor on step 1, with no
    // row highlighted.
    void rebuildStepList() override;

    // The step (0 is step 1) that the next key edits.
    int cursor() const { return cursorStep; }

protected:
    // Typing works as soon as the page is shown.
    void showEvent(QShowEvent* event) override;

private:
    void createBindings();
    void onStepKey(StepKey key);
    void onCommand(const Control* source);
    void onScroll(const Control* source, ScrollRequest request, std::uint16_t thumbPosition);
    Sequencer& sequencer() const;

    Editor& editor;
    MainWindow& window;
    DialogWidgets controls;
    StepList* stepList = nullptr;
    int cursorStep = 0;

    std::unique_ptr<ScrollBinding> attack;
    std::unique_ptr<ScrollBinding> decay;
    std::unique_ptr<CheckBinding> on;
};

} // namespace kilosynth
