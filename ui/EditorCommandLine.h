#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

namespace kilosynth {

// What the editor was started with: `kilosynth [FILE.trq]`, plus --help,
// --version and the smoke test's hidden --close-after-ms=N.
struct EditorCommandLine {
    enum class Outcome {
        RunEditor,
        ShowHelp,    // `message` holds the help text
        ShowVersion, // `message` holds the program's name and version
        Error        // `message` says what is wrong with the arguments
    };

    Outcome outcome = Outcome::RunEditor;
    QString message;
    // The patch file to open at start-up.
    std::optional<std::filesystem::path> patchFile;
    // Closes the window, as its close box does, this long after it was
    // shown; negative for never.
    int closeAfterMilliseconds = -1;

    // Reads the arguments, the program's name first.
    static EditorCommandLine parse(const QStringList& arguments);
};

} // namespace kilosynth
