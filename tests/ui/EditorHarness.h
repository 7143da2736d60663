#pragma once

#include "tests/ui/FakePlayer.h"
#include "tests/ui/ScriptedDialogs.h"
#include "ui/Editor.h"
#include "ui/MainWindow.h"

#include <QString>
#include <QWidget>
#include <string>

namespace kilosynth::test {

// The editor of one test case, built as the program builds it but on a
// player that plays nothing and counts, and on dialogs that answer from a
// script. Members go in reverse order: the editor before what it uses.
struct EditorHarness {
    EditorHarness() : editor(player, dialogs) {}

    // An editor whose preview cannot start, for the reason given.
    explicit EditorHarness(const std::string& previewError)
        : player(previewError), editor(player, dialogs) {}

    MainWindow& window() { return editor.mainWindow(); }

    // The main window's own control with this id (the pages hold further
    // controls with the same ids).
    template <class Widget> Widget& mainControl(int id) {
        auto* widget = window().centralWidget()->findChild<Widget*>(QString::number(id),
                                                                    Qt::FindDirectChildrenOnly);
        if (widget == nullptr) {
            qFatal("no control %d", id);
        }
        return *widget;
    }

    FakePlayer player;
    ScriptedDialogs dialogs;
    Editor editor;
};

} // namespace kilosynth::test
