#include "ui/widgets/DialogBuilder.h"

#include "ui/views/SurfaceView.h"
#include "ui/widgets/StepList.h"
#include "ui/widgets/TabControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

namespace kilosynth {

namespace {

// The height of a closed drop-down combo box; the template's height is that
// of the open list.
constexpr int ComboBoxHeight = 13;

int mulDivRounded(int value, int numerator, int denominator) {
    const long long scaled = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / denominator
                                        : -((-scaled + half) / denominator));
}

QPushButton* pushButton(const ControlTemplate& control, QWidget& dialog) {
    auto* button = new QPushButton(QString::fromUtf8(control.text), &dialog);
    button->setAutoDefault(false);
    return button;
}

QWidget* createControl(const ControlTemplate& control, QWidget& dialog) {
    const QString text = QString::fromUtf8(control.text);
    switch (control.kind) {
    case ControlKind::TabControl:
        return new TabControl(&dialog);
    case ControlKind::GroupBox:
        return new QGroupBox(text, &dialog);
    case ControlKind::Static: {
        auto* label = new QLabel(text, &dialog);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, &dialog);
        edit->setReadOnly((control.style & ControlTemplate::ReadOnly) != 0);
        edit->setFrame((control.style & ControlTemplate::Border) != 0);
        return edit;
    }
    case ControlKind::HorizontalScrollBar: {
        auto* bar = new QScrollBar(Qt::Horizontal, &dialog);
        bar->setSingleStep(1);
        bar->setPageStep(10);
        bar->setFocusPolicy(Qt::NoFocus);
        // Its "Scroll here" entry would move the bar without a scroll message.
        bar->setContextMenuPolicy(Qt::NoContextMenu);
        return bar;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(&dialog);
        combo->setEditable(false);
        return combo;
    }
    case ControlKind::PushButton:
        return pushButton(control, dialog);
    case ControlKind::DefaultPushButton: {
        QPushButton* button = pushButton(control, dialog);
        button->setDefault(true);
        return button;
    }
    case ControlKind::PushLikeCheckBox: {
        QPushButton* button = pushButton(control, dialog);
        button->setCheckable(true);
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(text, &dialog);
    case ControlKind::SurfaceView:
        return new SurfaceView(&dialog);
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(&dialog);
        bar->setTextVisible(false);
        bar->setRange(0, 1);
        bar->setValue(0);
        return bar;
    }
    case ControlKind::StepList:
        return new StepList(&dialog);
    }
    throw std::logic_error("unknown control kind");
}

// Controls with an id take the keyboard focus with Tab, except these.
bool isTabStop(const ControlTemplate& control) {
    switch (control.kind) {
    case ControlKind::TabControl:
    case ControlKind::HorizontalScrollBar:
    case ControlKind::ProgressBar:
    case ControlKind::GroupBox:
    case ControlKind::Static:
    case ControlKind::SurfaceView:
        return false;
    default:
        return control.id != ControlTemplate::NoId;
    }
}

// The dialog font: the pixel size the point size has at 96 dots per inch,
// like the dialog units, so text fits the fixed layout on every screen; a
// narrow sans-serif face where one is installed, else the condensed cut of
// the wide default face.
QFont dialogFont(int pointSize, QFont font) {
    font.setFamilies({"Microsoft Sans Serif", "Tahoma", "Liberation Sans", "Arial", "Helvetica"});
    font.setPixelSize(mulDivRounded(pointSize, 96, 72));
    if (QFontInfo(font).family().startsWith("DejaVu")) {
        font.setStretch(QFont::Condensed);
    }
    return font;
}

} // namespace

int dialogUnitsToPixelsX(int units) {
    return mulDivRounded(units, 6, 4);
}
int dialogUnitsToPixelsY(int units) {
    return mulDivRounded(units, 13, 8);
}

QRect dialogRectToPixels(const DialogRect& rect) {
    return {dialogUnitsToPixelsX(rect.x), dialogUnitsToPixelsY(rect.y),
            dialogUnitsToPixelsX(rect.width), dialogUnitsToPixelsY(rect.height)};
}

DialogWidgets buildDialog(const DialogTemplate& dialogTemplate, QWidget& dialog) {
    dialog.setFont(dialogFont(dialogTemplate.fontPointSize, dialog.font()));
    dialog.setFixedSize(dialogUnitsToPixelsX(dialogTemplate.width),
                        dialogUnitsToPixelsY(dialogTemplate.height));

    DialogWidgets widgets;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = createControl(control, dialog);
        DialogRect rect = control.rect;
        if (control.kind == ControlKind::ComboBox) {
            rect.height = ComboBoxHeight;
        }
        widget->setGeometry(dialogRectToPixels(rect));
        widget->setEnabled((control.style & ControlTemplate::Disabled) == 0);
        widget->setFocusPolicy(isTabStop(control) ? Qt::StrongFocus : Qt::NoFocus);
        if (control.id != ControlTemplate::NoId) {
            widget->setObjectName(QString::number(control.id));
            widgets.add(control.id, *widget);
        }
    }
    return widgets;
}

} // namespace kilosynth
