#pragma once

#include "ui/widgets/StepKey.h"

#include <QListWidget>
#include <functional>

namespace kilosynth {

// The sequencer's step list. While it has the keyboard focus, every key of
// the step-key table goes to the key handler, also where a window shortcut
// uses the same key with Ctrl; other keys pass on to the window (Enter and
// Escape, for instance). The highlight shows the cursor, which only the keys
// move: a click or a drag with the mouse takes the focus but leaves the
// highlight where the keys put it.
class StepList final : public QListWidget {
    Q_OBJECT

public:
    using KeyHandler = std::function<void(StepKey)>;

    explicit StepList(QWidget* parent);

    void setKeyHandler(KeyHandler handler);

    // Replaces every row. The cursor goes back to row 0, without a highlight
    // until a key or a click shows it there.
    void resetRows(const QStringList& rows);

    // Highlights `row`, the cursor's row. Until the next call, any other
    // selection is put back on this row.
    void highlightRow(int row);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void keepHighlight();

    KeyHandler keyHandler;
    int cursorRow = 0;
    bool highlightShown = false;
    bool highlighting = false; // set while the list itself moves the highlight
};

} // namespace kilosynth
