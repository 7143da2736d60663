// kilosynth-cli: renders and inspects patch files without the editor.

#include "cli/Commands.h"

#include <exception>
#include <iostream>
#include <vector>

namespace {

// Usage errors fit on one line, like every other error of the tool.
std::string usageMessage(const CLI::App*, const CLI::Error& error) {
    return std::string("kilosynth-cli: ") + error.what() + " (see --help)\n";
}

} // namespace

int main(int argc, char** argv) {
    using namespace kilosynth::cli;

    CLI::App app{"Renders and inspects Kilosynth patch files (.trq) without the editor.",
                 "kilosynth-cli"};
    // At most one subcommand; "none" is reported below, so that an unknown
    // word is reported as such rather than as a missing subcommand.
    app.require_subcommand(0, 1);
    app.failure_message(usageMessage);
    app.footer("Exit status: 0 on success, 1 on a usage error, 2 when a file cannot be read, is "
               "refused or cannot be written.");

    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(addRenderCommand(app));
    commands.push_back(addInfoCommand(app));

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // --help is reported as a "parse error" that exits with 0.
        return app.exit(error) == 0 ? ExitSuccess : ExitUsage;
    }

    try {
        for (const auto& command : commands) {
            if (command->wasChosen()) {
                return command->run();
            }
        }
    } catch (const std::exception& error) {
        reportError("error", error.what());
        return ExitFileError;
    }
    std::cerr << usageMessage(&app, CLI::RequiredError("A subcommand"));
    return ExitUsage;
}
