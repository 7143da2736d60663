#pragma once

// The program's name, version, authors and year, as the caption and the
// About box show them. KILOSYNTH_VERSION comes from the build (the project
// version in CMakeLists.txt).
#define KILOSYNTH_NAME_AND_VERSION "Kilosynth " KILOSYNTH_VERSION
#define KILOSYNTH_AUTHORS "the Kilosynth developers"
#define KILOSYNTH_YEAR "2026"
