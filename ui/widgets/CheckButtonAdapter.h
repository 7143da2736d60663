#pragma once

#include "ui/bindings/CheckControl.h"

#include <QObject>
#include <functional>

class QAbstractButton;

namespace kilosynth {

// A checkable button as a CheckControl. Reports each click to `onClick`,
// with itself as the source, after the button has flipped its own state.
// Lives as a child of the button.
class CheckButtonAdapter final : public QObject, public CheckControl {
public:
    CheckButtonAdapter(QAbstractButton& button, std::function<void(const Control*)> onClick);

    void setChecked(bool checked) override;

private:
    QAbstractButton& button;
};

} // namespace kilosynth
