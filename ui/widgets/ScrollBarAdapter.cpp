#include "ui/widgets/ScrollBarAdapter.h"

#include <QScrollBar>
#include <algorithm>

namespace kilosynth {

ScrollBarAdapter::ScrollBarAdapter(QScrollBar& scrollBar, Handler onScroll)
    : QObject(&scrollBar), bar(scrollBar), handler(std::move(onScroll)) {
    connect(&bar, &QAbstractSlider::actionTriggered, this, &ScrollBarAdapter::onAction);
    connect(&bar, &QAbstractSlider::sliderReleased, this,
            [this] { dispatch(ScrollRequest::EndScroll, 0); });
}

void ScrollBarAdapter::setRange(int minimum, int maximum) {
    bar.setRange(minimum, maximum);
}

void ScrollBarAdapter::setPosition(int position) {
    // setValue also moves the slider position, which QAbstractSlider applies
    // when the action that is being reported completes.
    bar.setValue(position);
    positionSet = true;
}

void ScrollBarAdapter::onAction(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        dispatch(ScrollRequest::LineLeft, 0);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        dispatch(ScrollRequest::LineRight, 0);
        break;
    case QAbstractSlider::SliderPageStepSub:
        dispatch(ScrollRequest::PageLeft, 0);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        dispatch(ScrollRequest::PageRight, 0);
        break;
    case QAbstractSlider::SliderMove:
        dispatch(ScrollRequest::ThumbTrack,
                 static_cast<std::uint16_t>(std::clamp(bar.sliderPosition(), 0, 65535)));
        break;
    case QAbstractSlider::SliderToMinimum:
        dispatch(ScrollRequest::Left, 0);
        break;
    case QAbstractSlider::SliderToMaximum:
        dispatch(ScrollRequest::Right, 0);
        break;
    default:
        break;
    }
}

void ScrollBarAdapter::dispatch(ScrollRequest request, std::uint16_t thumbPosition) {
    const int shown = bar.value();
    positionSet = false;
    handler(this, request, thumbPosition);
    if (!positionSet) {
        bar.setValue(shown);
    }
}

} // namespace kilosynth
