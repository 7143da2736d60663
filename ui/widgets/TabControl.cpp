#include "ui/widgets/TabControl.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace kilosynth {

namespace {

// The tab row's height; the pages start just below it.
constexpr int TabRowHeight = 21;

} // namespace

TabControl::TabControl(QWidget* parent) : QWidget(parent), tabs(new QTabBar(this)) {
    tabs->setDrawBase(false);
    tabs->setExpanding(false);
    tabs->setFocusPolicy(Qt::NoFocus);
}

void TabControl::resizeEvent(QResizeEvent*) {
    tabs->setGeometry(2, 0, width() - 4, TabRowHeight);
}

void TabControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = QRect(0, TabRowHeight - 1, width(), height() - TabRowHeight + 1);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = tabs->size();
    frame.tabBarRect = tabs->geometry();
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

} // namespace kilosynth
