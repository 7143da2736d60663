#include "ui/widgets/StepList.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QScopedValueRollback>

namespace kilosynth {

StepList::StepList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The rows are columns of characters: a fixed-pitch face keeps them in
    // line, at the size of the dialog's own font.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(QFontInfo(font()).pixelSize());
    setFont(fixed);
    // A pixel between rows keeps each row's underscores apart from the next row.
    setSpacing(1);
    connect(this, &QListWidget::itemSelectionChanged, this, &StepList::keepHighlight);
    connect(this, &QListWidget::currentRowChanged, this, &StepList::keepHighlight);
}

void StepList::setKeyHandler(KeyHandler handler) {
    keyHandler = std::move(handler);
}

void StepList::resetRows(const QStringList& rows) {
    const QScopedValueRollback guard(highlighting, true);
    cursorRow = 0;
    highlightShown = false;
    clear();
    addItems(rows);
}

void StepList::highlightRow(int row) {
    const QScopedValueRollback guard(highlighting, true);
    cursorRow = row;
    highlightShown = true;
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void StepList::keepHighlight() {
    if (highlighting) {
        return;
    }
    const QList<QListWidgetItem*> selected = selectedItems();
    // Taking the focus marks a current row without selecting it; that shows
    // no highlight, so there is nothing to put back.
    if (!highlightShown && selected.isEmpty()) {
        return;
    }
    const bool onCursor =
        selected.size() == 1 && row(selected.front()) == cursorRow && currentRow() == cursorRow;
    if (!onCursor) {
        highlightRow(cursorRow);
    }
}

bool StepList::event(QEvent* event) {
    // Claiming the key here keeps a window shortcut on the same key (Ctrl+S,
    // say) from firing: the key comes to keyPressEvent instead.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (StepKey::fromKey(key->key(), key->modifiers()).action != StepKey::Action::None) {
            event->accept();
            return true;
        }
    }
    return QListWidget::event(event);
}

void StepList::keyPressEvent(QKeyEvent* event) {
    const StepKey key = StepKey::fromKey(event->key(), event->modifiers());
    if (key.action == StepKey::Action::None || !keyHandler) {
        event->ignore();
        return;
    }
    keyHandler(key);
    event->accept();
}

} // namespace kilosynth
