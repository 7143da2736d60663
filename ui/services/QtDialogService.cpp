#include "ui/services/QtDialogService.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace kilosynth {

namespace {

std::optional<std::filesystem::path> askFileName(QWidget* parent,
                                                 const DialogService::FileRequest& request,
                                                 QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilter(request.filterName + " (" + request.filterPattern + ")");
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    // Native choosers may ignore the default suffix; add it here in any case.
    const QString chosen =
        withDefaultSuffix(dialog.selectedFiles().constFirst(), request.defaultSuffix);
    return std::filesystem::path(chosen.toStdU16String());
}

} // namespace

QString withDefaultSuffix(const QString& fileName, const QString& suffix) {
    const QString name = QFileInfo(fileName).fileName();
    // A dot after the first character starts an extension the user typed.
    if (suffix.isEmpty() || name.isEmpty() || name.lastIndexOf('.') > 0) {
        return fileName;
    }
    return fileName + "." + suffix;
}

std::optional<std::filesystem::path> QtDialogService::askSaveFileName(QWidget* parent,
                                                                      const FileRequest& request) {
    return askFileName(parent, request, QFileDialog::AcceptSave);
}

std::optional<std::filesystem::path> QtDialogService::askOpenFileName(QWidget* parent,
                                                                      const FileRequest& request) {
    return askFileName(parent, request, QFileDialog::AcceptOpen);
}

void QtDialogService::showMessage(QWidget* parent, MessageKind kind, const QString& title,
                                  const QString& text, const QString& details) {
    QMessageBox box(kind == MessageKind::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    title, text, QMessageBox::Ok, parent);
    box.setInformativeText(details);
    box.exec();
}

DialogService::SaveChangesAnswer QtDialogService::askToSaveChanges(QWidget* parent,
                                                                   const QString& title,
                                                                   const QString& text,
                                                                   const QString& details) {
    QMessageBox box(QMessageBox::Warning, title, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setInformativeText(details);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChangesAnswer::Save;
    case QMessageBox::Discard:
        return SaveChangesAnswer::Discard;
    default:
        return SaveChangesAnswer::Cancel;
    }
}

bool QtDialogService::askToProceed(QWidget* parent, const QString& title, const QString& text,
                                   const QString& details) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::Cancel,
                    parent);
    box.setInformativeText(details);
    // Enter alone must not go ahead with something the user is warned about.
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Yes;
}

void QtDialogService::runModal(QDialog& dialog) {
    dialog.exec();
}

} // namespace kilosynth
