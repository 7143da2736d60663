#include "cli/Commands.h"
#include "engine/Patch.h"
#include "storage/FileIo.h"

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace kilosynth::cli {

namespace {

namespace fs = std::filesystem;

class RenderCommand final : public Command {
public:
    explicit RenderCommand(CLI::App* subcommand) : Command(subcommand) {
        subcommand->add_option("inputs", inputs_, "Patch files (.trq) to render")->required();
        subcommand
            ->add_option("-o,--output", output_,
                         "WAV file to write; with a folder (an existing one, or a name ending "
                         "in /) each input becomes FOLDER/NAME.wav. Several inputs need a folder")
            ->required();
        subcommand->add_flag("--float", floatSamples_,
                             "Write 32-bit float samples of the mix instead of 16-bit PCM");
    }

    int run() override {
        std::vector<fs::path> targets;
        if (const int status = planTargets(targets); status != ExitSuccess) {
            return status;
        }
        int status = ExitSuccess;
        for (std::size_t k = 0; k < inputs_.size(); ++k) {
            if (!renderOne(inputs_[k], targets[k])) {
                status = ExitFileError; // report it, and go on with the others
            }
        }
        return status;
    }

private:
    bool outputIsFolder() const {
        const char last = output_.empty() ? '\0' : output_.back();
        std::error_code ignored;
        return last == '/' || last == fs::path::preferred_separator ||
               fs::is_directory(output_, ignored);
    }

    // Works out every file to write before anything is written, so a usage
    // error never leaves half a batch behind.
    int planTargets(std::vector<fs::path>& targets) const {
        const bool toFolder = outputIsFolder();
        if (toFolder) {
            std::error_code ignored;
            if (!fs::is_directory(output_, ignored)) {
                reportError(output_, "no such folder");
                return ExitUsage;
            }
        } else if (inputs_.size() > 1) {
            reportError(output_, "several inputs need -o to name a folder");
            return ExitUsage;
        }

        std::set<fs::path> seen;
        for (const fs::path input : inputs_) {
            fs::path target = output_;
            if (toFolder) {
                target = fs::path(output_) / input.stem();
                target += ".wav";
            }
            if (!seen.insert(target.lexically_normal()).second) {
                reportError(target.string(), "two inputs would be written to this file");
                return ExitUsage;
            }
            for (const fs::path other : inputs_) {
                std::error_code ignored;
                if (fs::equivalent(target, other, ignored)) {
                    reportError(target.string(), "refusing to overwrite an input");
                    return ExitUsage;
                }
            }
            targets.push_back(std::move(target));
        }
        return ExitSuccess;
    }

    // A fresh Patch for every input: defaults, zero-filled buffers, the file
    // applied, one render. The same file always gives the same samples.
    bool renderOne(const std::string& input, const fs::path& target) const {
        Patch patch;
        if (const FileResult loaded = loadPatchFile(input, patch); !loaded.ok()) {
            reportError(input, loaded.error);
            return false;
        }
        patch.render();
        const FileResult written =
            floatSamples_ ? exportFloatWav(target, patch) : exportWav(target, patch);
        if (!written.ok()) {
            reportError(target.string(), written.error);
            return false;
        }
        return true;
    }

    std::vector<std::string> inputs_;
    std::string output_;
    bool floatSamples_ = false;
};

} // namespace

std::unique_ptr<Command> addRenderCommand(CLI::App& app) {
    CLI::App* subcommand = app.add_subcommand(
        "render", "Render patch files to WAV: 16-bit PCM at the patch's rate, or 32-bit float");
    return std::make_unique<RenderCommand>(subcommand);
}

} // namespace kilosynth::cli
