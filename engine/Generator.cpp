#include "engine/Generator.h"

namespace kilosynth {

void Generator::setEnabled(std::uint8_t flag) {
    enabled = flag;
}

} // namespace kilosynth
