#include "ui/PatchFileCommands.h"

#include "storage/FileIo.h"
#include "storage/PatchFile.h"
#include "ui/Editor.h"
#include "ui/MainWindow.h"
#include "ui/services/DialogService.h"

#include <QDir>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <string>
#include <vector>

namespace kilosynth {

namespace {

DialogService::FileRequest patchFileRequest(const QString& title) {
    return {title, "TRQ files", "*.trq", "trq"};
}

QString displayPath(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

// "folder/kick.trq: file ends after 39 bytes; its header announces 46"
QString failureDetails(const std::filesystem::path& path, const std::string& reason) {
    return displayPath(path) + ": " + QString::fromStdString(reason);
}

} // namespace

PatchFileCommands::PatchFileCommands(Editor& owner, MainWindow& mainWindow)
    : editor(owner), window(mainWindow) {}

void PatchFileCommands::load() {
    if (!offerToSaveChanges()) {
        return;
    }
    const auto path = editor.dialogs().askOpenFileName(&window, patchFileRequest("Load TRQ"));
    if (path) {
        loadFile(*path);
    }
}

void PatchFileCommands::open(const std::filesystem::path& path) {
    if (offerToSaveChanges()) {
        loadFile(path);
    }
}

void PatchFileCommands::loadFile(const std::filesystem::path& path) {
    // The reader checks the whole file before it changes the Patch, so after
    // a failure the Patch and every control are still as they were.
    const FileResult result = loadPatchFile(path, editor.patch);
    if (!result.ok()) {
        const QString text =
            result.status == FileResult::Status::CannotOpen ? "Can't open file" : "Can't load file";
        editor.dialogs().showMessage(&window, DialogService::MessageKind::Warning, "Load Error",
                                     text, failureDetails(path, result.error));
        return;
    }
    // A load shows the new Patch everywhere but does not play it.
    window.refreshFromPatch();
    editor.markSaved(path);
}

bool PatchFileCommands::save() {
    if (!confirmUnstorableFields()) {
        return false;
    }
    // No name is remembered: each save asks anew.
    const auto path = editor.dialogs().askSaveFileName(&window, patchFileRequest("Save TRQ"));
    if (!path) {
        return false;
    }
    const FileResult result = savePatchFile(*path, editor.patch);
    if (!result.ok()) {
        // The writer replaces the file only once the new one is complete.
        editor.dialogs().showMessage(&window, DialogService::MessageKind::Warning, "Save Error",
                                     "Can't save file",
                                     failureDetails(*path, result.error) +
                                         "\n\nNothing was written; an existing file is unchanged.");
        return false;
    }
    editor.markSaved(*path);
    return true;
}

bool PatchFileCommands::confirmUnstorableFields() {
    const std::vector<std::string> fields = unstorableFields(editor.patch);
    if (fields.empty()) {
        return true;
    }
    QStringList lines;
    bool namesOsc8 = false;
    for (const std::string& field : fields) {
        lines << QString::fromUtf8("\u2022 ") + QString::fromStdString(field);
        namesOsc8 = namesOsc8 || field.ends_with("(osc8)");
    }
    QString details = lines.join('\n') + "\n\n";
    if (namesOsc8) {
        details += "A modulation source of osc8 is saved as none. ";
    }
    details += "Save anyway?";
    return editor.dialogs().askToProceed(
        &window, "Save TRQ", "The patch file can't store these settings as they are:", details);
}

bool PatchFileCommands::offerToSaveChanges() {
    if (!editor.hasUnsavedChanges()) {
        return true;
    }
    const QString text =
        editor.fileName().empty()
            ? QString("The patch has changes that are not saved.")
            : QString("\"%1\" has changes that are not saved.")
                  .arg(QString::fromStdU16String(editor.fileName().filename().u16string()));
    switch (editor.dialogs().askToSaveChanges(&window, "Unsaved Changes", text,
                                              "Do you want to save them first?")) {
    case DialogService::SaveChangesAnswer::Save:
        return save();
    case DialogService::SaveChangesAnswer::Discard:
        return true;
    case DialogService::SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

std::optional<std::filesystem::path> patchFileIn(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return std::nullopt;
    }
    const QString file = urls.front().toLocalFile();
    if (!file.endsWith(".trq", Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    return std::filesystem::path(file.toStdU16String());
}

} // namespace kilosynth
