#include "engine/Noise.h"

namespace kilosynth {

thread_local std::uint32_t Noise::state = 0;

} // namespace kilosynth
