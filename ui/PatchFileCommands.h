#pragma once

#include <filesystem>
#include <optional>

class QMimeData;

namespace kilosynth {

class Editor;
class MainWindow;

// The patch file commands of the File menu: Load, and Save (which "Save As"
// runs too), the question before unsaved changes would be lost, and opening
// a file named without a chooser (a drop, the command line).
class PatchFileCommands {
public:
    PatchFileCommands(Editor& editor, MainWindow& window);

    // Offers to save unsaved changes, then asks for a patch file and loads it.
    void load();

    // Offers to save unsaved changes, then loads `path`.
    void open(const std::filesystem::path& path);

    // Warns about settings the file cannot hold, asks for a file name and
    // writes the Patch. True only when the file was written.
    bool save();

    // While the Patch has unsaved changes, asks whether to save them first.
    // True when the caller may go on: nothing to save, saved, or discarded.
    bool offerToSaveChanges();

private:
    void loadFile(const std::filesystem::path& path);
    bool confirmUnstorableFields();

    Editor& editor;
    MainWindow& window;
};

// The patch file in a drag: exactly one local file whose name ends in
// ".trq" (in any case); nothing for anything else.
std::optional<std::filesystem::path> patchFileIn(const QMimeData& data);

} // namespace kilosynth
