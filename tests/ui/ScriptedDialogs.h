#pragma once

#include "ui/services/DialogService.h"

#include <QDialog>
#include <QLabel>
#include <deque>
#include <vector>

namespace kilosynth::test {

// Answers file choosers from a script and records every chooser, message box
// and modal dialog the editor opened.
class ScriptedDialogs final : public DialogService {
public:
    struct Message {
        MessageKind kind;
        QString title;
        QString text;
    };
    struct ModalDialog {
        QString title;
        QStringList labels;
    };

    std::optional<std::filesystem::path> askSaveFileName(QWidget*,
                                                         const FileRequest& request) override {
        return answer(request);
    }
    std::optional<std::filesystem::path> askOpenFileName(QWidget*,
                                                         const FileRequest& request) override {
        return answer(request);
    }
    void showMessage(QWidget*, MessageKind kind, const QString& title,
                     const QString& text) override {
        messages.push_back({kind, title, text});
    }
    void runModal(QDialog& dialog) override {
        ModalDialog shown{dialog.windowTitle(), {}};
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            shown.labels << label->text();
        }
        modals.push_back(shown);
    }

    // Each chooser takes the next answer; nothing (cancel) when none is left.
    std::deque<std::optional<std::filesystem::path>> fileAnswers;
    std::vector<FileRequest> fileRequests;
    std::vector<Message> messages;
    std::vector<ModalDialog> modals;

private:
    std::optional<std::filesystem::path> answer(const FileRequest& request) {
        fileRequests.push_back(request);
        if (fileAnswers.empty()) {
            return std::nullopt;
        }
        auto next = fileAnswers.front();
        fileAnswers.pop_front();
        return next;
    }
};

} // namespace kilosynth::test
