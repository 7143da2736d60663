#pragma once

#include <QString>
#include <filesystem>
#include <optional>

class QDialog;
class QWidget;

namespace kilosynth {

// The editor's file choosers, message boxes and questions. The real one
// shows Qt's dialogs; tests answer them from a script.
class DialogService {
public:
    // What a file chooser offers: its title, one filter and the suffix
    // added to a name typed without one.
    struct FileRequest {
        QString title;
        QString filterName;    // "WAV files"
        QString filterPattern; // "*.wav"
        QString defaultSuffix; // "wav"
    };

    enum class MessageKind { Information, Warning };

    // The answers to "save the changes first?".
    enum class SaveChangesAnswer { Save, Discard, Cancel };

    virtual ~DialogService() = default;

    // The chosen file, starting from an empty name; nothing when cancelled.
    virtual std::optional<std::filesystem::path> askSaveFileName(QWidget* parent,
                                                                 const FileRequest& request) = 0;
    virtual std::optional<std::filesystem::path> askOpenFileName(QWidget* parent,
                                                                 const FileRequest& request) = 0;

    // A message box with a single OK button; `details`, when not empty, is
    // shown under the text (the file and the reason of a failure).
    virtual void showMessage(QWidget* parent, MessageKind kind, const QString& title,
                             const QString& text, const QString& details) = 0;

    // Asks whether to save changes before they would be lost. Closing the
    // box is Cancel.
    virtual SaveChangesAnswer askToSaveChanges(QWidget* parent, const QString& title,
                                               const QString& text, const QString& details) = 0;

    // A warning with Yes and Cancel; true only for Yes.
    virtual bool askToProceed(QWidget* parent, const QString& title, const QString& text,
                              const QString& details) = 0;

    // Runs a dialog modally until it is closed.
    virtual void runModal(QDialog& dialog) = 0;
};

} // namespace kilosynth
