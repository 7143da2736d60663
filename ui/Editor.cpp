#include "ui/Editor.h"

#include "storage/PatchFile.h"
#include "ui/MainWindow.h"

namespace kilosynth {

Editor::Editor(PreviewPlayer& player, DialogService& dialogs)
    : previewPlayer(player), dialogService(dialogs) {
    patch.oscillators[0]->enabled = 1;
    patch.envelopes[0]->enabled = 1;
    render();
    savedBytes = encodePatch(patch);
    window = std::make_unique<MainWindow>(*this);
    patchEdited();
}

Editor::~Editor() = default;

bool Editor::hasUnsavedChanges() const {
    return encodePatch(patch) != savedBytes;
}

void Editor::markSaved(const std::filesystem::path& file) {
    savedBytes = encodePatch(patch);
    savedFile = file;
    patchEdited();
}

void Editor::patchEdited() {
    if (window) {
        window->showFileState(hasUnsavedChanges(), patchFileSize(patch), savedFile);
    }
}

void Editor::render() {
    patch.render();
    ++renders;
}

} // namespace kilosynth
