#pragma once

#include <QDialog>

namespace kilosynth {

// The About box, template 137: the program's name and version, what it is
// for and who made it. OK, Enter and the close box close it; Escape does not.
class AboutDialog final : public QDialog {
public:
    explicit AboutDialog(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace kilosynth
