#pragma once

#include "engine/Patch.h"
#include "ui/bindings/BindingList.h"

#include <memory>

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

    PreviewPlayer& player() { return previewPlayer; }
    DialogService& dialogs() { return dialogService; }
    MainWindow& mainWindow() { return *window; }

    Patch patch;
    BindingList bindings;

private:
    PreviewPlayer& previewPlayer;
    DialogService& dialogService;
    int renders = 0;
    std::unique_ptr<MainWindow> window;
};

} // namespace kilosynth
