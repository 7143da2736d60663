#pragma once

#include "ui/bindings/ScrollControl.h"
#include "ui/bindings/ScrollRequest.h"

#include <QObject>
#include <cstdint>
#include <functional>

class QScrollBar;

namespace kilosynth {

// A QScrollBar as a ScrollControl that reports every user action as a scroll
// message: arrow clicks as line steps, clicks in the groove as page steps,
// dragging (and the wheel) as ThumbTrack with the thumb position, the
// context-free Home/End actions as Left/Right, and the thumb's release as
// EndScroll. Lives as a child of the scroll bar.
//
// The bar shows only what it is told: Qt moves the slider itself before it
// reports an action, so when nobody sets a position while the message is
// handled, the adapter puts the slider back where it was.
class ScrollBarAdapter final : public QObject, public ScrollControl {
public:
    using Handler = std::function<void(const Control*, ScrollRequest, std::uint16_t)>;

    ScrollBarAdapter(QScrollBar& scrollBar, Handler onScroll);

    void setRange(int minimum, int maximum) override;
    void setPosition(int position) override;

private:
    void onAction(int action);
    void dispatch(ScrollRequest request, std::uint16_t thumbPosition);

    QScrollBar& bar;
    Handler handler;
    bool positionSet = false;
};

} // namespace kilosynth
