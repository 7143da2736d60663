#pragma once

#include <QWidget>

class QTabBar;

namespace kilosynth {

// A row of tabs over a framed area. Unlike QTabWidget it does not manage the
// pages: they are plain children placed and shown by their owner, so the
// owner decides which page is visible when a tab is picked.
class TabControl final : public QWidget {
    Q_OBJECT

public:
    explicit TabControl(QWidget* parent);

    QTabBar& tabBar() { return *tabs; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* tabs;
};

} // namespace kilosynth
