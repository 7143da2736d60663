#include "tests/ui/EditorHarness.h"
#include "tests/ui/FakePlayer.h"
#include "tests/ui/ScriptedDialogs.h"
#include "ui/Editor.h"
#include "ui/MainWindow.h"
#include "ui/resources/MainMenuTemplate.h"
#include "ui/services/QtDialogService.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace kilosynth {

// "Save WAV": the chooser, the file it writes, cancelling and failing.
class WavExportTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writesTheCurrentSample();
    void cancelWritesNothing();
    void failingFolderShowsWhyAndLeavesNoFile();
    void defaultSuffixIsAddedToABareName_data();
    void defaultSuffixIsAddedToABareName();

private:
    void saveWav() {
        auto* action = app->editor.mainWindow().findChild<QAction*>(
            QString::number(MainMenuTemplate::SaveWav));
        QVERIFY(action != nullptr);
        action->trigger();
    }

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<test::EditorHarness> app;
};

void WavExportTest::init() {
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY(folder->isValid());
    app = std::make_unique<test::EditorHarness>();
}

void WavExportTest::cleanup() {
    app.reset();
    folder.reset();
}

void WavExportTest::writesTheCurrentSample() {
    const QString path = folder->filePath("kick.wav");
    app->dialogs.fileAnswers.push_back(std::filesystem::path(path.toStdString()));
    app->editor.patch.oscillators[0]->frequency = 440.0f; // not rendered yet

    saveWav();

    // The chooser offered WAV files under its title, with the default suffix.
    QCOMPARE(app->dialogs.fileRequests.size(), std::size_t{1});
    QCOMPARE(app->dialogs.fileRequests[0].title, "Save WAV");
    QCOMPARE(app->dialogs.fileRequests[0].filterName, "WAV files");
    QCOMPARE(app->dialogs.fileRequests[0].filterPattern, "*.wav");
    QCOMPARE(app->dialogs.fileRequests[0].defaultSuffix, "wav");
    QVERIFY(app->dialogs.messages.empty());

    // The generic step rendered the edit first, and the file holds that render.
    QCOMPARE(app->editor.renderCount(), 2);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 44 + 38 * 2048);
    QCOMPARE(bytes.left(4), QByteArray("RIFF"));
    QCOMPARE(bytes.mid(8, 8), QByteArray("WAVEfmt "));
    const QByteArray samples(reinterpret_cast<const char*>(app->editor.patch.sample.data()),
                             38 * 2048);
    QCOMPARE(bytes.mid(44), samples);
    QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList{"kick.wav"});
}

void WavExportTest::cancelWritesNothing() {
    saveWav(); // no answer scripted: the chooser is cancelled
    QCOMPARE(app->dialogs.fileRequests.size(), std::size_t{1});
    QVERIFY(app->dialogs.messages.empty());
    QVERIFY(QDir(folder->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void WavExportTest::failingFolderShowsWhyAndLeavesNoFile() {
    const QString path = folder->filePath("missing/kick.wav");
    app->dialogs.fileAnswers.push_back(std::filesystem::path(path.toStdString()));

    saveWav();

    QCOMPARE(app->dialogs.messages.size(), std::size_t{1});
    const test::ScriptedDialogs::Message& message = app->dialogs.messages.front();
    QCOMPARE(message.kind, DialogService::MessageKind::Warning);
    QCOMPARE(message.title, "Save WAV");
    QVERIFY(message.text.contains(path));
    // The reason follows the file name.
    QVERIFY(message.text.size() > path.size() + 40);
    QVERIFY(!QFile::exists(path));
    QVERIFY(QDir(folder->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void WavExportTest::defaultSuffixIsAddedToABareName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("bare name") << "/tmp/drums/kick"
                               << "/tmp/drums/kick.wav";
    QTest::newRow("with the suffix") << "/tmp/kick.wav"
                                     << "/tmp/kick.wav";
    QTest::newRow("other suffix kept") << "/tmp/kick.raw"
                                       << "/tmp/kick.raw";
    QTest::newRow("dot in a folder name") << "/tmp/v1.2/kick"
                                          << "/tmp/v1.2/kick.wav";
    QTest::newRow("hidden-style name") << "/tmp/.kick"
                                       << "/tmp/.kick.wav";
}

void WavExportTest::defaultSuffixIsAddedToABareName() {
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QCOMPARE(withDefaultSuffix(typed, "wav"), saved);
}

} // namespace kilosynth

QTEST_MAIN(kilosynth::WavExportTest)
#include "WavExportTest.moc"
