#pragma once

#include "ui/services/DialogService.h"

namespace kilosynth {

// The dialogs as the user sees them: QFileDialog, QMessageBox, exec().
class QtDialogService final : public DialogService {
public:
    std::optional<std::filesystem::path> askSaveFileName(QWidget* parent,
                                                         const FileRequest& request) override;
    std::optional<std::filesystem::path> askOpenFileName(QWidget* parent,
                                                         const FileRequest& request) override;
    void showMessage(QWidget* parent, MessageKind kind, const QString& title, const QString& text,
                     const QString& details) override;
    SaveChangesAnswer askToSaveChanges(QWidget* parent, const QString& title, const QString& text,
                                       const QString& details) override;
    bool askToProceed(QWidget* parent, const QString& title, const QString& text,
                      const QString& details) override;
    void runModal(QDialog& dialog) override;
};

// `fileName` with ".suffix" appended when its last component has no
// extension, as a file chooser with a default extension does: "drum" becomes
// "drum.wav", "drum.wav" and "drum.raw" stay.
QString withDefaultSuffix(const QString& fileName, const QString& suffix);

} // namespace kilosynth
