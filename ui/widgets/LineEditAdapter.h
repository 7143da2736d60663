#pragma once

#include "ui/bindings/TextControl.h"

#include <QObject>

class QLineEdit;

namespace kilosynth {

// A line edit as a TextControl. Lives as a child of the line edit.
class LineEditAdapter final : public QObject, public TextControl {
public:
    explicit LineEditAdapter(QLineEdit& lineEdit);

    void setText(const std::string& text) override;

private:
    QLineEdit& edit;
};

} // namespace kilosynth
