#pragma once

#include "cli/InfoNode.h"
#include "engine/Patch.h"

#include <cstdint>
#include <span>
#include <string>

namespace kilosynth::cli {

// Everything a patch file carries, by the program's names, and what it
// leaves unset. `bytes` is the whole file and `patch` a fresh Patch that
// readPatch has applied them to.
InfoNode describePatchFile(const std::string& name, std::span<const std::uint8_t> bytes,
                           const Patch& patch);

// "none", "env1".."env8", "osc1".."osc8", as the editor's source lists name them.
std::string sourceName(ModSource source);

// The editor's wave type entries ("Sine" .. "Noice"); "unknown N" otherwise.
std::string waveTypeName(std::uint8_t flags);

// "C_ 5" for note 60, as the sequencer's step list shows it; "rest" for 0.
std::string noteName(std::uint8_t note);

} // namespace kilosynth::cli
