#include "ui/resources/AboutDialogTemplate.h"

#include "ui/resources/ProgramInfo.h"

#include <array>

namespace kilosynth {

namespace {

using K = ControlKind;
constexpr int None = ControlTemplate::NoId;

constexpr std::array controls{
    ControlTemplate{AboutDialogTemplate::OkButton, K::DefaultPushButton, "OK", {130, 75, 50, 14}},
    ControlTemplate{None, K::Static, KILOSYNTH_NAME_AND_VERSION, {10, 10, 87, 8}},
    ControlTemplate{None, K::Static, "Special for 64k intro using", {35, 20, 82, 8}},
    ControlTemplate{None, K::Static, "(c) " KILOSYNTH_YEAR " " KILOSYNTH_AUTHORS, {15, 40, 142, 8}},
};

constexpr DialogTemplate aboutDialog{AboutDialogTemplate::Id, "About", 182, 90, 8, controls};

} // namespace

const DialogTemplate& AboutDialogTemplate::get() {
    return aboutDialog;
}

} // namespace kilosynth
