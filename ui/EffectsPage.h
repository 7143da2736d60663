#pragma once

#include "ui/TabPage.h"
#include "ui/bindings/CheckBinding.h"
#include "ui/bindings/ScrollBinding.h"

#include <cstdint>
#include <memory>
#include <vector>

class QComboBox;

namespace kilosynth {

class Editor;
class MainWindow;
class Patch;

// The "Filters" page, template 132: the master chain's volume, overdrive,
// cutoff, resonance, delay and flanger, each with its binding, the three
// on/off switches, and a modulation source for each modulatable parameter.
// Every edit is followed by the main window's renderAndPlay, so each change
// is heard at once.
class EffectsPage final : public TabPage {
    Q_OBJECT

public:
    // Creates the page's thirteen bindings and pushes each onto the editor's
    // list; the main window fills the source combo boxes later.
    EffectsPage(Editor& editor, MainWindow& window, QWidget* parent);
    ~EffectsPage() override;

    // Volume, Limit, Wrap, Cutoff, resonance Freq and Reso sources, then the
    // delay's two boxes, which have no source and always show "none".
    std::vector<SourceCombo> sourceCombos() override;

private:
    void createBindings();
    void connectSourceCombos();

    // A click on one of the switches; any other command renders all the same.
    void onCommand(const Control* source);
    // Every scroll message renders and plays, whether or not a binding took it.
    void onScroll(const Control* source, ScrollRequest request, std::uint16_t thumbPosition);
    void onSourcePicked(ModSource Patch::*field, int entry);

    Editor& editor;
    MainWindow& window;
    DialogWidgets controls;
    // In the order they were created, which is also the order that sees
    // each message.
    std::vector<std::unique_ptr<ScrollBinding>> scrollBindings;
    std::vector<std::unique_ptr<CheckBinding>> checkBindings;
};

} // namespace kilosynth
