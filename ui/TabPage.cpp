#include "ui/TabPage.h"

#include "ui/widgets/DialogBuilder.h"

namespace kilosynth {

DialogWidgets TabPage::buildPage(const DialogTemplate& pageTemplate) {
    setObjectName(QString::number(pageTemplate.id));
    DialogWidgets controls = buildDialog(pageTemplate, *this);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return controls;
}

} // namespace kilosynth
