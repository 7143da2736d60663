#include "ui/AboutDialog.h"

#include "ui/resources/AboutDialogTemplate.h"
#include "ui/widgets/DialogBuilder.h"

#include <QKeyEvent>
#include <QPushButton>

namespace kilosynth {

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    const DialogTemplate& about = AboutDialogTemplate::get();
    setWindowTitle(QString::fromUtf8(about.caption));
    const DialogWidgets controls = buildDialog(about, *this);
    connect(&controls.get<QPushButton>(AboutDialogTemplate::OkButton), &QPushButton::clicked, this,
            &QDialog::accept);
}

void AboutDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kilosynth
