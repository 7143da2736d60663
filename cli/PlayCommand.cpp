#include "audio/Preview.h"
#include "cli/Commands.h"
#include "engine/Patch.h"
#include "storage/FileIo.h"

#include <chrono>
#include <string>
#include <thread>
#include <unistd.h>

namespace kilosynth::cli {

namespace {

class PlayCommand final : public Command {
public:
    explicit PlayCommand(CLI::App* subcommand) : Command(subcommand) {
        subcommand->add_option("input", input_, "Patch file (.trq) to play")->required();
        // Someone at a terminal wants to hear it; a script usually does not wait.
        wait_ = isatty(STDOUT_FILENO) != 0;
        subcommand->add_flag("--wait,!--no-wait", wait_,
                             "Return only when the sample has played (the default at a "
                             "terminal)");
    }

    int run() override {
        Patch patch;
        if (const FileResult loaded = loadPatchFile(input_, patch); !loaded.ok()) {
            reportError(input_, loaded.error);
            return ExitFileError;
        }
        patch.render();
        if (!initPreview()) {
            reportError("no audio device", previewError());
            return ExitNoAudio;
        }
        playSample(patch);
        if (wait_) {
            // The device plays on its own thread; look in now and then.
            while (previewProgress().playing) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        shutdownPreview();
        return ExitSuccess;
    }

private:
    std::string input_;
    bool wait_ = false;
};

} // namespace

std::unique_ptr<Command> addPlayCommand(CLI::App& app) {
    CLI::App* subcommand = app.add_subcommand(
        "play", "Render a patch file and play it through the preview (22050 samples per second, "
                "as in the editor)");
    return std::make_unique<PlayCommand>(subcommand);
}

} // namespace kilosynth::cli
