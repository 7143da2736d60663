#pragma once

#include <filesystem>

namespace kilosynth {

class Editor;
class MainWindow;

// The patch file commands of the File menu: Load, and Save (which "Save As"
// runs too), and the question before unsaved changes would be lost.
class PatchFileCommands {
public:
    PatchFileCommands(Editor& editor, MainWindow& window);

    // Offers to save unsaved changes, then asks for a patch file and loads it.
    void load();

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

} // namespace kilosynth
