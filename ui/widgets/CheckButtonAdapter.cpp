#include "ui/widgets/CheckButtonAdapter.h"

#include <QAbstractButton>

namespace kilosynth {

CheckButtonAdapter::CheckButtonAdapter(QAbstractButton& checkButton,
                                       std::function<void(const Control*)> onClick)
    : QObject(&checkButton), button(checkButton) {
    connect(&button, &QAbstractButton::clicked, this,
            [this, onClick = std::move(onClick)] { onClick(this); });
}

void CheckButtonAdapter::setChecked(bool checked) {
    button.setChecked(checked);
}

} // namespace kilosynth
