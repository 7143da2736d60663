#include "ui/widgets/LineEditAdapter.h"

#include <QLineEdit>

namespace kilosynth {

LineEditAdapter::LineEditAdapter(QLineEdit& lineEdit) : QObject(&lineEdit), edit(lineEdit) {}

void LineEditAdapter::setText(const std::string& text) {
    edit.setText(QString::fromStdString(text));
}

} // namespace kilosynth
