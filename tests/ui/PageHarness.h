#pragma once

#include "ui/TabPage.h"
#include "ui/resources/DialogTemplate.h"
#include "ui/widgets/DialogBuilder.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

namespace kilosynth::test {

// The control with this id on a page (the main window holds further
// controls with the same ids).
template <class Widget> Widget& pageControl(const QWidget& page, int id) {
    auto* widget = page.findChild<Widget*>(QString::number(id), Qt::FindDirectChildrenOnly);
    if (widget == nullptr) {
        qFatal("no control %d on page %s", id, qPrintable(page.objectName()));
    }
    return *widget;
}

// Picks an entry the way a user does: opens the list, moves to the entry
// and confirms it.
inline void pick(QComboBox& combo, int entry) {
    combo.showPopup();
    combo.view()->setCurrentIndex(combo.model()->index(entry, 0));
    QTest::keyClick(combo.view(), Qt::Key_Return);
}

// Checks that every control of the template is on the page at its pixel
// rectangle, and that every label and frame shows its text there. Returns
// false (after a failed QCOMPARE) on the first control out of place.
inline bool hasTemplateLayout(const QWidget& page, const DialogTemplate& pageTemplate) {
    for (const ControlTemplate& item : pageTemplate.controls) {
        const QRect expected = dialogRectToPixels(item.rect);
        const QWidget* widget = nullptr;
        if (item.id != ControlTemplate::NoId) {
            widget = &pageControl<QWidget>(page, item.id);
        } else {
            for (const QWidget* child : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const auto* label = qobject_cast<const QLabel*>(child);
                const auto* frame = qobject_cast<const QGroupBox*>(child);
                const QString text = label ? label->text() : frame ? frame->title() : QString();
                if (text == QString::fromUtf8(item.text) && child->pos() == expected.topLeft()) {
                    widget = child;
                }
            }
            if (widget == nullptr) {
                qWarning("no \"%s\" at %d, %d", item.text.data(), expected.x(), expected.y());
                return false;
            }
        }
        [&] {
            QCOMPARE(widget->pos(), expected.topLeft());
            QCOMPARE(widget->width(), expected.width());
            if (item.kind != ControlKind::ComboBox) { // the template gives the open list's height
                QCOMPARE(widget->height(), expected.height());
            }
            QCOMPARE(widget->isEnabled(), (item.style & ControlTemplate::Disabled) == 0);
        }();
        if (QTest::currentTestFailed()) {
            return false;
        }
    }
    return true;
}

// Checks the template's layout and that the page fills the tab control's
// page area with every control inside it.
inline bool isBuiltAsTemplate(const QWidget& page, const DialogTemplate& pageTemplate) {
    if (!hasTemplateLayout(page, pageTemplate)) {
        return false;
    }
    [&] {
        QCOMPARE(page.size(), QSize(769, 245));
        for (const QWidget* child : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY2(page.rect().contains(child->geometry()), qPrintable(child->objectName()));
        }
    }();
    return !QTest::currentTestFailed();
}

} // namespace kilosynth::test
