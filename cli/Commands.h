#pragma once

// The subcommands of kilosynth-cli, one file each.

#include "cli/Command.h"

#include <memory>

namespace kilosynth::cli {

std::unique_ptr<Command> addRenderCommand(CLI::App& app);
std::unique_ptr<Command> addInfoCommand(CLI::App& app);

} // namespace kilosynth::cli
