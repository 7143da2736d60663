#include "ui/Editor.h"
#include "ui/EditorCommandLine.h"
#include "ui/MainWindow.h"
#include "ui/services/QtDialogService.h"
#include "ui/services/SdlPreviewPlayer.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kilosynth");
    QApplication::setApplicationVersion(KILOSYNTH_VERSION);
    QApplication::setWindowIcon(QIcon(":/icon138.png"));

    using Outcome = kilosynth::EditorCommandLine::Outcome;
    const auto commandLine = kilosynth::EditorCommandLine::parse(QApplication::arguments());
    switch (commandLine.outcome) {
    case Outcome::ShowHelp:
    case Outcome::ShowVersion:
        std::fputs(qPrintable(commandLine.message + '\n'), stdout);
        return 0;
    case Outcome::Error:
        std::fprintf(stderr, "kilosynth: %s\nTry 'kilosynth --help'.\n",
                     qPrintable(commandLine.message));
        return 2;
    case Outcome::RunEditor:
        break;
    }

    kilosynth::SdlPreviewPlayer player;
    kilosynth::QtDialogService dialogs;
    kilosynth::Editor editor(player, dialogs);
    kilosynth::MainWindow& window = editor.mainWindow();
    window.show();

    if (commandLine.closeAfterMilliseconds >= 0) {
        QTimer::singleShot(commandLine.closeAfterMilliseconds, &window, &QWidget::close);
    }
    // A file that cannot be loaded is reported; the editor goes on with the
    // start-up Patch.
    if (commandLine.patchFile) {
        window.openPatchFile(*commandLine.patchFile);
    }
    return QApplication::exec();
}
