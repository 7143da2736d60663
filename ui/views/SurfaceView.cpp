#include "ui/views/SurfaceView.h"

#include <QPainter>

namespace kilosynth {

SurfaceView::SurfaceView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::createSurface() {
    image = QImage(size(), QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
}

void SurfaceView::present() {
    update();
}

void SurfaceView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

} // namespace kilosynth
