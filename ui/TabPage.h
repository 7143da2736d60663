#pragma once

#include "ui/SourceCombo.h"
#include "ui/widgets/DialogWidgets.h"

#include <QWidget>
#include <vector>

namespace kilosynth {

struct DialogTemplate;

// One page of the main window's tab control. The main window creates the
// pages, shows one at a time, and after a new or loaded Patch asks each page
// to bring its pictures and lists up to date through these hooks.
class TabPage : public QWidget {
    Q_OBJECT

public:
    explicit TabPage(QWidget* parent) : QWidget(parent) {}

    // The page's modulation-source combo boxes, in the order they are filled.
    virtual std::vector<SourceCombo> sourceCombos() { return {}; }

    // Redraws the envelope graph, on the page that has one.
    virtual void drawEnvelopeGraph() {}

    // Rebuilds the sequencer's step list, on the page that has one.
    virtual void rebuildStepList() {}

protected:
    // Builds the page's controls from its template. The page itself takes
    // whatever place the tab control gives it, not the template's size.
    DialogWidgets buildPage(const DialogTemplate& pageTemplate);
};

} // namespace kilosynth
