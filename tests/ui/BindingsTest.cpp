#include "tests/support/CaseName.h"
#include "tests/ui/FakeControls.h"
#include "ui/bindings/BindingList.h"
#include "ui/bindings/CheckBinding.h"
#include "ui/bindings/ScrollBinding.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kilosynth {
namespace {

using test::FakeCheck;
using test::FakeScroll;
using test::FakeText;

ScrollRequest code(int number) {
    return static_cast<ScrollRequest>(number);
}

// ---------------------------------------------------------------- float kind

struct FloatScrollCase {
    const char* name;
    float start;
    float maximum;
    ScrollRequest request;
    std::uint16_t thumb;
    float expected;
    const char* text;
    int position;
};

void PrintTo(const FloatScrollCase& c, std::ostream* out) {
    *out << c.name;
}

class FloatScrollTest : public ::testing::TestWithParam<FloatScrollCase> {};

TEST_P(FloatScrollTest, StoresClampsAndShows) {
    const FloatScrollCase& c = GetParam();
    float field = c.start;
    FakeText edit;
    FakeScroll bar;
    ScrollBinding binding(field, c.maximum, edit, bar);

    binding.onScroll(&bar, c.request, c.thumb);

    EXPECT_EQ(std::bit_cast<std::uint32_t>(field), std::bit_cast<std::uint32_t>(c.expected))
        << field;
    EXPECT_EQ(edit.text, c.text);
    EXPECT_EQ(bar.position, c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, FloatScrollTest,
    ::testing::Values(FloatScrollCase{"LineRightFrom5", 5.0f, 22050.0f, ScrollRequest::LineRight, 0,
                                      6.0f, "6.000", 6},
                      FloatScrollCase{"PageLeftStopsAtZero", 6.0f, 22050.0f,
                                      ScrollRequest::PageLeft, 0, 0.0f, "0.000", 0},
                      FloatScrollCase{"LineStepKeepsFraction", 5.5f, 22050.0f,
                                      ScrollRequest::LineRight, 0, 6.5f, "6.500", 6},
                      FloatScrollCase{"LineLeftKeepsFraction", 5.5f, 22050.0f,
                                      ScrollRequest::LineLeft, 0, 4.5f, "4.500", 4},
                      FloatScrollCase{"LineLeftBelowOneIsZero", 0.25f, 22050.0f,
                                      ScrollRequest::LineLeft, 0, 0.0f, "0.000", 0},
                      FloatScrollCase{"PageRightOnResonanceFreq", 255.0f, 32767.0f,
                                      ScrollRequest::PageRight, 0, 265.0f, "265.000", 265},
                      FloatScrollCase{"PageRightStopsAtMaximum", 22045.5f, 22050.0f,
                                      ScrollRequest::PageRight, 0, 22050.0f, "22050.000", 22050},
                      FloatScrollCase{"ThumbTrackIsWhole", 5.5f, 22050.0f,
                                      ScrollRequest::ThumbTrack, 300, 300.0f, "300.000", 300},
                      FloatScrollCase{"ThumbTrackClamped", 5.0f, 22050.0f,
                                      ScrollRequest::ThumbTrack, 65535, 22050.0f, "22050.000",
                                      22050},
                      FloatScrollCase{"ThumbTrackToZero", 123.25f, 32767.0f,
                                      ScrollRequest::ThumbTrack, 0, 0.0f, "0.000", 0}),
    test::CaseName{});

// ----------------------------------------------------------------- byte kind

struct ByteScrollCase {
    const char* name;
    std::uint8_t start;
    float maximum;
    ScrollRequest request;
    std::uint16_t thumb;
    std::uint8_t expected;
};

void PrintTo(const ByteScrollCase& c, std::ostream* out) {
    *out << c.name;
}

class ByteScrollTest : public ::testing::TestWithParam<ByteScrollCase> {};

TEST_P(ByteScrollTest, StoresClampsAndShows) {
    const ByteScrollCase& c = GetParam();
    std::uint8_t field = c.start;
    FakeText edit;
    FakeScroll bar;
    ScrollBinding binding(field, c.maximum, edit, bar);

    binding.onScroll(&bar, c.request, c.thumb);

    EXPECT_EQ(int{field}, int{c.expected});
    EXPECT_EQ(edit.text, std::to_string(c.expected));
    EXPECT_EQ(bar.position, int{c.expected});
}

INSTANTIATE_TEST_SUITE_P(
    Requests, ByteScrollTest,
    ::testing::Values(
        ByteScrollCase{"PageRightCapsAt255", 250, 255.0f, ScrollRequest::PageRight, 0, 255},
        ByteScrollCase{"PageLeftStopsAtZero", 3, 255.0f, ScrollRequest::PageLeft, 0, 0},
        ByteScrollCase{"LineRightAtTopStays", 255, 255.0f, ScrollRequest::LineRight, 0, 255},
        ByteScrollCase{"LineLeftAtZeroStays", 0, 255.0f, ScrollRequest::LineLeft, 0, 0},
        ByteScrollCase{"LineRight", 251, 255.0f, ScrollRequest::LineRight, 0, 252},
        ByteScrollCase{"LengthPageRightStopsAt38", 35, 38.0f, ScrollRequest::PageRight, 0, 38},
        ByteScrollCase{"LengthThumbToZero", 38, 38.0f, ScrollRequest::ThumbTrack, 0, 0},
        ByteScrollCase{"ThumbBeyondMaximum", 7, 255.0f, ScrollRequest::ThumbTrack, 400, 255},
        ByteScrollCase{"ThumbBeyondWideMaximum", 7, 300.0f, ScrollRequest::ThumbTrack, 280, 255},
        ByteScrollCase{"ThumbToHundred", 5, 100.0f, ScrollRequest::ThumbTrack, 100, 100}),
    test::CaseName{});

// ------------------------------------------------------ ignored scroll codes

class IgnoredScrollTest : public ::testing::TestWithParam<int> {};

TEST_P(IgnoredScrollTest, ChangeNeitherFieldNorControls) {
    float frequency = 5.5f;
    std::uint8_t amplitude = 252;
    FakeText frequencyEdit;
    FakeScroll frequencyBar;
    FakeText amplitudeEdit;
    FakeScroll amplitudeBar;
    ScrollBinding frequencyBinding(frequency, 22050.0f, frequencyEdit, frequencyBar);
    ScrollBinding amplitudeBinding(amplitude, 255.0f, amplitudeEdit, amplitudeBar);
    const int updatesBefore =
        frequencyEdit.updates + frequencyBar.updates + amplitudeEdit.updates + amplitudeBar.updates;

    frequencyBinding.onScroll(&frequencyBar, code(GetParam()), 77);
    amplitudeBinding.onScroll(&amplitudeBar, code(GetParam()), 77);

    EXPECT_EQ(frequency, 5.5f);
    EXPECT_EQ(amplitude, 252);
    EXPECT_EQ(frequencyEdit.updates + frequencyBar.updates + amplitudeEdit.updates +
                  amplitudeBar.updates,
              updatesBefore);
}

// ThumbPosition 4, Left 6, Right 7, EndScroll 8, and numbers that are no code.
INSTANTIATE_TEST_SUITE_P(Codes, IgnoredScrollTest, ::testing::Values(4, 6, 7, 8, 9, -1, 65535));

TEST(ScrollBindingTest, MessagesFromAnotherScrollBarAreIgnored) {
    std::uint8_t amplitude = 100;
    float frequency = 5.0f;
    FakeText amplitudeEdit;
    FakeScroll amplitudeBar;
    FakeText frequencyEdit;
    FakeScroll frequencyBar;
    ScrollBinding amplitudeBinding(amplitude, 255.0f, amplitudeEdit, amplitudeBar);
    ScrollBinding frequencyBinding(frequency, 22050.0f, frequencyEdit, frequencyBar);

    // The dialog hands every scroll message to every binding.
    for (ScrollBinding* binding : {&amplitudeBinding, &frequencyBinding}) {
        binding->onScroll(&frequencyBar, ScrollRequest::PageRight, 0);
        binding->onScroll(nullptr, ScrollRequest::LineRight, 0);
    }

    EXPECT_EQ(amplitude, 100);
    EXPECT_EQ(amplitudeEdit.text, "100");
    EXPECT_EQ(frequency, 15.0f);
}

// ------------------------------------------------------------- construction

struct RangeCase {
    const char* name;
    bool byteKind;
    float maximum;
    int rangeMaximum;
};

void PrintTo(const RangeCase& c, std::ostream* out) {
    *out << c.name;
}

class ScrollRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ScrollRangeTest, ConstructionSetsRangeAndShowsValue) {
    const RangeCase& c = GetParam();
    std::uint8_t byteField = 38;
    float floatField = 255.0f;
    FakeText edit;
    FakeScroll bar;
    ScrollBinding binding = c.byteKind ? ScrollBinding(byteField, c.maximum, edit, bar)
                                       : ScrollBinding(floatField, c.maximum, edit, bar);

    EXPECT_EQ(bar.minimum, 0);
    EXPECT_EQ(bar.maximum, c.rangeMaximum);
    EXPECT_EQ(edit.text, c.byteKind ? "38" : "255.000");
    EXPECT_EQ(bar.position, c.byteKind ? 38 : 255);

    // The clamp uses the same maximum as the range.
    binding.onScroll(&bar, ScrollRequest::ThumbTrack, 65535);
    EXPECT_EQ(bar.position, c.rangeMaximum);
}

INSTANTIATE_TEST_SUITE_P(Maxima, ScrollRangeTest,
                         ::testing::Values(RangeCase{"ByteAbove255IsCapped", true, 300.0f, 255},
                                           RangeCase{"ByteLength", true, 38.0f, 38},
                                           RangeCase{"ByteFull", true, 255.0f, 255},
                                           RangeCase{"FloatFrequency", false, 22050.0f, 22050},
                                           RangeCase{"FloatResonanceFreq", false, 32767.0f, 32767}),
                         test::CaseName{});

TEST(ScrollBindingTest, FloatPositionIsTheValueTruncated) {
    float field = 6.9f;
    FakeText edit;
    FakeScroll bar;
    ScrollBinding binding(field, 22050.0f, edit, bar);
    EXPECT_EQ(edit.text, "6.900");
    EXPECT_EQ(bar.position, 6);

    // A loaded file may hold any float; showing it must stay defined.
    field = std::numeric_limits<float>::quiet_NaN();
    binding.refresh();
    EXPECT_EQ(bar.position, 0);
    field = 1e30f;
    binding.refresh();
    EXPECT_EQ(bar.position, std::numeric_limits<int>::max());
}

// ------------------------------------------------------------------- rebind

TEST(ScrollBindingTest, RebindShowsTheNewFieldAndKeepsTheRange) {
    float first = 5.0f;
    float second = 440.25f;
    FakeText edit;
    FakeScroll bar;
    ScrollBinding binding(first, 22050.0f, edit, bar);

    binding.rebind(second);
    EXPECT_EQ(edit.text, "440.250");
    EXPECT_EQ(bar.position, 440);
    EXPECT_EQ(bar.rangeSets, 1);

    binding.onScroll(&bar, ScrollRequest::LineRight, 0);
    EXPECT_EQ(second, 441.25f);
    EXPECT_EQ(first, 5.0f);
}

TEST(ScrollBindingTest, RebindToTheOtherKindIsRefused) {
    float floatField = 1.0f;
    std::uint8_t byteField = 1;
    FakeText edit;
    FakeScroll bar;
    ScrollBinding floatBinding(floatField, 10.0f, edit, bar);
    ScrollBinding byteBinding(byteField, 10.0f, edit, bar);
    EXPECT_THROW(floatBinding.rebind(byteField), std::logic_error);
    EXPECT_THROW(byteBinding.rebind(floatField), std::logic_error);
}

// ------------------------------------------------------------- check kind

struct CheckCase {
    const char* name;
    std::uint8_t start;
    std::uint8_t mask;
    std::uint8_t afterClick;
};

void PrintTo(const CheckCase& c, std::ostream* out) {
    *out << c.name;
}

class CheckBindingTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckBindingTest, ClickTogglesOnlyItsBit) {
    const CheckCase& c = GetParam();
    std::uint8_t field = c.start;
    FakeCheck box;
    CheckBinding binding(field, c.mask, box);
    EXPECT_EQ(box.checked, (c.start & c.mask) != 0);

    binding.onCommand(&box);
    EXPECT_EQ(int{field}, int{c.afterClick});
    EXPECT_EQ(box.checked, (c.afterClick & c.mask) != 0);

    binding.onCommand(&box);
    EXPECT_EQ(int{field}, int{c.start});
    EXPECT_EQ(box.checked, (c.start & c.mask) != 0);
}

INSTANTIATE_TEST_SUITE_P(Masks, CheckBindingTest,
                         ::testing::Values(CheckCase{"InvertOn", 0x21, 0x80, 0xA1},
                                           CheckCase{"InvertOff", 0xA1, 0x80, 0x21},
                                           CheckCase{"EnabledOn", 0x00, 0x01, 0x01},
                                           CheckCase{"ModulatorOffAllOthersSet", 0xFF, 0x20, 0xDF},
                                           CheckCase{"DelayBitOnly", 0x07, 0x02, 0x05},
                                           CheckCase{"SequencedOff", 0x41, 0x40, 0x01}),
                         test::CaseName{});

TEST(CheckBindingCommandTest, CommandsFromOtherControlsOrMenusChangeNothing) {
    std::uint8_t field = 0x21;
    FakeCheck box;
    FakeCheck otherBox;
    CheckBinding binding(field, 0x80, box);
    const int updatesBefore = box.updates;

    binding.onCommand(&otherBox);
    binding.onCommand(nullptr); // a menu item, Enter or Escape

    EXPECT_EQ(field, 0x21);
    EXPECT_EQ(box.updates, updatesBefore);
}

TEST(CheckBindingCommandTest, RefreshSetsTheBoxFromTheBitWhateverItShowed) {
    std::uint8_t field = 0x01;
    FakeCheck box;
    CheckBinding binding(field, 0x01, box);
    box.checked = false; // an automatic check box that flipped itself on a click
    binding.onCommand(&box);
    EXPECT_EQ(field, 0x00);
    EXPECT_FALSE(box.checked);
}

TEST(CheckBindingCommandTest, RebindShowsTheNewByteAtOnceAndTogglesIt) {
    std::uint8_t osc1Flags = 0x81;
    std::uint8_t osc3Flags = 0x01;
    FakeCheck box;
    CheckBinding binding(osc1Flags, 0x80, box);
    EXPECT_TRUE(box.checked);

    binding.rebind(osc3Flags);
    EXPECT_FALSE(box.checked);
    binding.onCommand(&box);
    EXPECT_EQ(osc3Flags, 0x81);
    EXPECT_EQ(osc1Flags, 0x81);
}

// ------------------------------------------------------------- binding list

TEST(BindingListTest, RefreshAllShowsEveryFieldLastPushedFirst) {
    std::vector<std::string> log;
    std::uint8_t enabled = 1;
    float frequency = 5.0f;
    std::uint8_t length = 38;
    FakeCheck onBox(&log, "on");
    FakeText frequencyEdit(&log, "frequency text");
    FakeScroll frequencyBar(&log, "frequency bar");
    FakeText lengthEdit(&log, "length text");
    FakeScroll lengthBar(&log, "length bar");
    CheckBinding on(enabled, 1, onBox);
    ScrollBinding frequencyBinding(frequency, 22050.0f, frequencyEdit, frequencyBar);
    ScrollBinding lengthBinding(length, 38.0f, lengthEdit, lengthBar);
    BindingList list;
    list.pushFront(on);
    list.pushFront(frequencyBinding);
    list.pushFront(lengthBinding);

    // A load changes the fields behind the controls' back.
    enabled = 0;
    frequency = 440.0f;
    length = 0;
    log.clear();
    list.refreshAll();

    EXPECT_FALSE(onBox.checked);
    EXPECT_EQ(frequencyEdit.text, "440.000");
    EXPECT_EQ(frequencyBar.position, 440);
    EXPECT_EQ(lengthEdit.text, "0");
    EXPECT_EQ(lengthBar.position, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"length text", "length bar", "frequency text",
                                             "frequency bar", "on"}));
}

} // namespace
} // namespace kilosynth
