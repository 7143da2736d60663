#include "ui/Editor.h"
#include "ui/MainWindow.h"
#include "ui/services/QtDialogService.h"
#include "ui/services/SdlPreviewPlayer.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

namespace {

// For the headless smoke test only: "--close-after-ms=N" closes the window,
// as its close box does, N milliseconds after it was shown.
int closeAfterMilliseconds(const QStringList& arguments) {
    const QString option = "--close-after-ms=";
    for (const QString& argument : arguments) {
        if (argument.startsWith(option)) {
            return argument.mid(option.size()).toInt();
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kilosynth");
    QApplication::setWindowIcon(QIcon(":/icon138.png"));

    kilosynth::SdlPreviewPlayer player;
    kilosynth::QtDialogService dialogs;
    kilosynth::Editor editor(player, dialogs);
    kilosynth::MainWindow& window = editor.mainWindow();
    window.show();

    if (const int delay = closeAfterMilliseconds(QApplication::arguments()); delay >= 0) {
        QTimer::singleShot(delay, &window, &QWidget::close);
    }
    return QApplication::exec();
}
