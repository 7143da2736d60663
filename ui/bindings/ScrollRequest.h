#pragma once

namespace kilosynth {

// What the user asked a scroll bar for. The numbers are those of the classic
// horizontal scroll-bar request codes (the vertical ones share them); a
// ScrollBinding acts on LineLeft to ThumbTrack except ThumbPosition and
// ignores every other code, including numbers outside this list.
enum class ScrollRequest : int {
    LineLeft = 0,
    LineRight = 1,
    PageLeft = 2,
    PageRight = 3,
    ThumbPosition = 4, // the thumb was released; the position arrived with ThumbTrack
    ThumbTrack = 5,    // the thumb is being dragged to the given position
    Left = 6,
    Right = 7,
    EndScroll = 8,
};

} // namespace kilosynth
