#include "ui/Editor.h"

#include "ui/MainWindow.h"

namespace kilosynth {

Editor::Editor(PreviewPlayer& player, DialogService& dialogs)
    : previewPlayer(player), dialogService(dialogs) {
    patch.oscillators[0]->enabled = 1;
    patch.envelopes[0]->enabled = 1;
    render();
    window = std::make_unique<MainWindow>(*this);
}

Editor::~Editor() = default;

void Editor::render() {
    patch.render();
    ++renders;
}

} // namespace kilosynth
