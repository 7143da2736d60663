#include "cli/Commands.h"
#include "cli/PatchDescription.h"
#include "storage/FileIo.h"
#include "storage/PatchFile.h"

#include <iostream>
#include <string>
#include <vector>

namespace kilosynth::cli {

namespace {

class InfoCommand final : public Command {
public:
    explicit InfoCommand(CLI::App* subcommand) : Command(subcommand) {
        subcommand->add_option("input", input_, "Patch file (.trq) to describe")->required();
        subcommand->add_flag("--json", json_, "Print JSON instead of text");
    }

    int run() override {
        std::vector<std::uint8_t> bytes;
        if (const FileResult read = readPatchFileBytes(input_, bytes); !read.ok()) {
            reportError(input_, read.error);
            return ExitFileError;
        }
        Patch patch;
        if (const ReadResult applied = readPatch(patch, bytes); !applied) {
            reportError(input_, applied.error);
            return ExitFileError;
        }
        const InfoNode description = describePatchFile(input_, bytes, patch);
        std::cout << (json_ ? description.toJson() : description.toText());
        return ExitSuccess;
    }

private:
    std::string input_;
    bool json_ = false;
};

} // namespace

std::unique_ptr<Command> addInfoCommand(CLI::App& app) {
    CLI::App* subcommand = app.add_subcommand(
        "info", "Show every field a patch file carries and what it leaves unset");
    return std::make_unique<InfoCommand>(subcommand);
}

} // namespace kilosynth::cli
