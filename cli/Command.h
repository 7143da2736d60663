#pragma once

#include <CLI/CLI.hpp>

namespace kilosynth::cli {

// Exit statuses of kilosynth-cli.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitUsage = 1;     // bad arguments
inline constexpr int ExitFileError = 2; // a file could not be read, was refused, or not written

// One subcommand: it registers its options on construction and runs when the
// command line named it.
class Command {
public:
    explicit Command(CLI::App* subcommand) : subcommand_(subcommand) {}
    virtual ~Command() = default;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    bool wasChosen() const { return subcommand_->parsed(); }

    // Returns the exit status.
    virtual int run() = 0;

private:
    CLI::App* subcommand_;
};

// Prints "kilosynth-cli: SUBJECT: MESSAGE" as one line on standard error.
void reportError(const std::string& subject, const std::string& message);

} // namespace kilosynth::cli
