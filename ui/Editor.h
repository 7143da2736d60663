#pragma once

#include "engine/Patch.h"
#include "ui/bindings/BindingList.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

namespace kilosynth {

class DialogService;
class MainWindow;
class PreviewPlayer;

// The editor's whole state: the one Patch, the list of every control
// binding, the preview player, the dialogs, and the main window. Creating it
// runs the start-up: the Patch with its defaults, oscillator 1 and envelope 1
// switched on, one render, then the main window (not yet shown).
class Editor {
public:
    Editor(PreviewPlayer& player, DialogService& dialogs);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // Renders the whole Patch. Every render of the editor goes through here.
    void render();
    // How many renders have run since start-up, the start-up render included.
    int renderCount() const { return renders; }

    // Whether the Patch would be saved differently from the file it was last
    // loaded from or saved to (or from the start-up Patch, before either):
    // only what the file stores counts.
    bool hasUnsavedChanges() const;
    // Takes the Patch as it is now as the content of `file` (after a load or
    // a save), or as a new Patch without a file (no path, after New).
    void markSaved(const std::filesystem::path& file = {});
    // The file the Patch was last loaded from or saved to; empty for a new Patch.
    const std::filesystem::path& fileName() const { return savedFile; }
    // Called after every edit of the Patch, by the main window and the pages:
    // updates the caption's unsaved-changes mark and the file size shown.
    void patchEdited();

    PreviewPlayer& player() { return previewPlayer; }
    DialogService& dialogs() { return dialogService; }
    MainWindow& mainWindow() { return *window; }

    Patch patch;
    BindingList bindings;

private:
    PreviewPlayer& previewPlayer;
    DialogService& dialogService;
    int renders = 0;
    std::vector<std::uint8_t> savedBytes;
    std::filesystem::path savedFile;
    std::unique_ptr<MainWindow> window;
};

} // namespace kilosynth
