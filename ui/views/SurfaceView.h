#pragma once

#include <QImage>
#include <QWidget>

namespace kilosynth {

// A picture control: its content is drawn into an off-screen surface of the
// control's size, and painting only copies that surface, so covering and
// uncovering the window never recomputes the picture.
class SurfaceView final : public QWidget {
    Q_OBJECT

public:
    explicit SurfaceView(QWidget* parent);

    // Makes the surface, of the control's current size, black.
    void createSurface();
    QImage& surface() { return image; }

    // Puts the surface's current content on the screen.
    void present();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image;
};

} // namespace kilosynth
