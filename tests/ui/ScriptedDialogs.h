#pragma once

#include "ui/services/DialogService.h"

#include <QDialog>
#include <QLabel>
#include <deque>
#include <vector>

namespace kilosynth::test {

// Answers file choosers and questions from a script and records every
// chooser, message box, question and modal dialog the editor opened. Where
// nothing is scripted the user cancels.
class ScriptedDialogs final : public DialogService {
public:
    struct Message {
        MessageKind kind;
        QString title;
        QString text;
        QString details;
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
    void showMessage(QWidget*, MessageKind kind, const QString& title, const QString& text,
                     const QString& details) override {
        messages.push_back({kind, title, text, details});
    }
    SaveChangesAnswer askToSaveChanges(QWidget*, const QString& title, const QString& text,
                                       const QString& details) override {
        saveChangesQuestions.push_back({MessageKind::Warning, title, text, details});
        return next(saveChangesAnswers, SaveChangesAnswer::Cancel);
    }
    bool askToProceed(QWidget*, const QString& title, const QString& text,
                      const QString& details) override {
        proceedQuestions.push_back({MessageKind::Warning, title, text, details});
        return next(proceedAnswers, false);
    }
    void runModal(QDialog& dialog) override {
        ModalDialog shown{dialog.windowTitle(), {}};
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            shown.labels << label->text();
        }
        modals.push_back(shown);
    }

    // Each chooser or question takes the next answer of its kind.
    std::deque<std::optional<std::filesystem::path>> fileAnswers;
    std::deque<SaveChangesAnswer> saveChangesAnswers;
    std::deque<bool> proceedAnswers;

    std::vector<FileRequest> fileRequests;
    std::vector<Message> messages;
    std::vector<Message> saveChangesQuestions;
    std::vector<Message> proceedQuestions;
    std::vector<ModalDialog> modals;

private:
    std::optional<std::filesystem::path> answer(const FileRequest& request) {
        fileRequests.push_back(request);
        return next(fileAnswers, std::optional<std::filesystem::path>());
    }

    template <class Answer> static Answer next(std::deque<Answer>& answers, Answer cancel) {
        if (answers.empty()) {
            return cancel;
        }
        Answer front = answers.front();
        answers.pop_front();
        return front;
    }
};

} // namespace kilosynth::test
