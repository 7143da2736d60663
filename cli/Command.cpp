#include "cli/Command.h"

#include <iostream>

namespace kilosynth::cli {

void reportError(const std::string& subject, const std::string& message) {
    std::cerr << "kilosynth-cli: " << subject << ": " << message << '\n';
}

} // namespace kilosynth::cli
