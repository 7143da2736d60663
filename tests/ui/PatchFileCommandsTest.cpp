#include "ui/PatchFileCommands.h"

#include "storage/PatchFile.h"
#include "tests/support/Files.h"
#include "tests/support/PatchFixtures.h"
#include "tests/support/PatchState.h"
#include "tests/support/TempDir.h"
#include "tests/ui/EditorHarness.h"
#include "tests/ui/FakePlayer.h"
#include "tests/ui/PageHarness.h"
#include "tests/ui/ScriptedDialogs.h"
#include "ui/Editor.h"
#include "ui/EditorCommandLine.h"
#include "ui/MainWindow.h"
#include "ui/SequencerPage.h"
#include "ui/resources/EffectsPageTemplate.h"
#include "ui/resources/EnvelopePageTemplate.h"
#include "ui/resources/MainDialogTemplate.h"
#include "ui/resources/MainMenuTemplate.h"
#include "ui/resources/SequencerPageTemplate.h"
#include "ui/views/SurfaceView.h"
#include "ui/views/ViewDrawing.h"
#include "ui/widgets/TabControl.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace kilosynth {

using Ids = MainDialogTemplate;
using EffectsIds = EffectsPageTemplate;
using EnvelopeIds = EnvelopePageTemplate;
using SequencerIds = SequencerPageTemplate;
using Answer = DialogService::SaveChangesAnswer;

namespace {

// A Patch unlike the start-up one in every part the main window shows:
// three oscillators with flags and sources, two envelopes, the sequencer,
// all three effects and every master source. Every source names a
// generator that is on, so its render depends on nothing but the file.
void makeLoadFixture(Patch& patch) {
    test::makeStartupPatch(patch);
    patch.length = 20;
    Oscillator& osc1 = *patch.oscillators[0];
    osc1.flags = Oscillator::Invert | static_cast<std::uint8_t>(Oscillator::WaveType::Saw);
    osc1.frequency = 440.25f;
    osc1.amplitude = 100;
    osc1.frequencySource = 1;  // env2
    osc1.amplitudeSource = 10; // osc3
    Oscillator& osc2 = *patch.oscillators[1];
    osc2.enabled = 1;
    osc2.flags = Oscillator::Sequenced | Oscillator::Modulator |
                 static_cast<std::uint8_t>(Oscillator::WaveType::Square);
    osc2.frequency = 12.5f;
    osc2.amplitude = 77;
    osc2.amplitudeSource = 0; // env1
    Oscillator& osc3 = *patch.oscillators[2];
    osc3.enabled = 1;
    osc3.frequency = 220.0f;
    osc3.amplitude = 200;
    Envelope& env2 = *patch.envelopes[1];
    env2.enabled = 1;
    env2.attack = 30;
    env2.decay = 90;
    env2.level = 200;
    Sequencer& sequencer = *patch.sequencer;
    sequencer.enabled = 1;
    sequencer.attack = 12;
    sequencer.decay = 34;
    sequencer.steps[0] = {57, 0};
    sequencer.steps[3] = {64, SequencerStep::Slide};
    patch.effects = Patch::ResonanceOn | Patch::DelayOn | Patch::FlangerOn;
    patch.volume = 90;
    patch.limit = 10;
    patch.wrap = 20;
    patch.cutoff = 30;
    patch.volumeSource = 1; // env2
    patch.cutoffSource = 8; // osc1
    patch.resonanceFreq = 1234.5f;
    patch.reso = 40;
    patch.resoSource = 0; // env1
    patch.delayTime = 50;
    patch.delayLevel = 60;
    patch.flangerRate = 3;
    patch.flangerDelay = 4;
}

std::vector<std::uint8_t> loadFixtureBytes() {
    Patch patch;
    makeLoadFixture(patch);
    return encodePatch(patch);
}

QString qPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// A drag carrying these URLs.
std::unique_ptr<QMimeData> dragOf(const QList<QUrl>& urls) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

// Lowers the largest file this process may write, so that writing any patch
// file fails (EFBIG), as on a full disk; restores the limit when it ends.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

} // namespace

// Load, Save and "Save As", the unsaved-changes questions, the file size,
// drag and drop, the command line and the shortcuts, on the real window.
class PatchFileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadRefreshesEveryControlWithoutPlaying();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void saveWritesThePatch_data();
    void saveWritesThePatch();
    void saveAndLoadGiveTheSameBytes();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void osc8SourceIsNamedBeforeSaving_data();
    void osc8SourceIsNamedBeforeSaving();
    void unsavedMarkFollowsTheFileContent();
    void unsavedChangesAreOfferedForSaving_data();
    void unsavedChangesAreOfferedForSaving();
    void droppedPatchFileLoads();
    void onlyASinglePatchFileIsAcceptedForDropping_data();
    void onlyASinglePatchFileIsAcceptedForDropping();
    void commandLineArguments_data();
    void commandLineArguments();
    void fileNamedAtStartUp_data();
    void fileNamedAtStartUp();
    void byteCountFollowsEveryEdit();
    void shortcutsRunTheFileCommands_data();
    void shortcutsRunTheFileCommands();

private:
    MainWindow& window() { return app->window(); }
    Patch& patch() { return app->editor.patch; }

    template <class Widget> Widget& control(int id) { return app->mainControl<Widget>(id); }
    QString text(int id) { return control<QLineEdit>(id).text(); }
    QString comboText(int id) { return control<QComboBox>(id).currentText(); }
    QString fileSizeText() { return control<QLabel>(Ids::FileSizeText).text(); }
    const QImage& sampleSurface() { return control<SurfaceView>(Ids::SampleView).surface(); }

    void showTab(int index) {
        QTabBar& tabs = control<TabControl>(Ids::TabControl).tabBar();
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(index).center());
        QVERIFY(window().page(index).isVisible());
    }
    SequencerPage& sequencerPage() { return dynamic_cast<SequencerPage&>(window().page(2)); }
    QListWidget& stepList() {
        return test::pageControl<QListWidget>(window().page(2), SequencerIds::StepList);
    }

    void trigger(int menuId) {
        auto* action = window().findChild<QAction*>(QString::number(menuId));
        if (action == nullptr) {
            qFatal("no menu item %d", menuId);
        }
        action->trigger();
    }
    void pick(int comboId, int entry) {
        QComboBox& combo = control<QComboBox>(comboId);
        combo.showPopup();
        combo.view()->setCurrentIndex(combo.model()->index(entry, 0));
        QTest::keyClick(combo.view(), Qt::Key_Return);
        QCOMPARE(combo.currentIndex(), entry);
    }
    // An edit as the user makes it: one step of the Frequency scroll bar.
    void editFrequency() {
        control<QScrollBar>(Ids::FrequencyBar).triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }

    // What every control of the window and its pages shows, in one list.
    QStringList controlStates() {
        QStringList states;
        for (QWidget* widget : window().findChildren<QWidget*>()) {
            const QString name = widget->objectName() + "/" + widget->metaObject()->className();
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                states << name + "=" + edit->text();
            } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
                states << name + "=" + (button->isChecked() ? "on" : "off");
            } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                states << name + "=" + QString::number(combo->count()) + ":" +
                              QString::number(combo->currentIndex());
            } else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
                states << name + "=" + QString::number(bar->value());
            } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
                for (int row = 0; row < list->count(); ++row) {
                    states << name + "=" + list->item(row)->text();
                }
                states << name + "@" + QString::number(list->currentRow());
            }
        }
        return states;
    }

    // The picture of `expected`, rendered on its own, in a surface of the
    // sample view's size.
    QImage sampleViewOf(Patch& expected) {
        expected.render();
        QImage picture(sampleSurface().size(), sampleSurface().format());
        drawSampleView(picture, expected);
        return picture;
    }

    std::filesystem::path writeFixture(const std::string& name,
                                       const std::vector<std::uint8_t>& bytes) {
        const std::filesystem::path path = *folder / name;
        test::writeBytes(path, bytes);
        return path;
    }

    std::unique_ptr<test::TempDir> folder;
    std::unique_ptr<test::EditorHarness> app;
};

void PatchFileCommandsTest::init() {
    folder = std::make_unique<test::TempDir>();
    app = std::make_unique<test::EditorHarness>();
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
}

void PatchFileCommandsTest::cleanup() {
    app.reset();
    folder.reset();
}

void PatchFileCommandsTest::loadRefreshesEveryControlWithoutPlaying() {
    const auto path = writeFixture("fixture.trq", loadFixtureBytes());
    app->dialogs.fileAnswers.push_back(path);
    // osc2 and env2 stay the ones shown; the step list's cursor goes back to
    // step 1.
    pick(Ids::OscillatorCombo, 1);
    showTab(1);
    test::pick(test::pageControl<QComboBox>(window().page(1), EnvelopeIds::EnvelopeCombo), 1);
    showTab(2);
    QTest::keyClick(&stepList(), Qt::Key_Z); // the sequencer is off: nothing to save
    QCOMPARE(sequencerPage().cursor(), 1);
    QVERIFY(!window().isWindowModified());

    trigger(MainMenuTemplate::Load);

    // The chooser offers patch files.
    QCOMPARE(app->dialogs.fileRequests.size(), std::size_t{1});
    const DialogService::FileRequest& request = app->dialogs.fileRequests.front();
    QCOMPARE(request.title, "Load TRQ");
    QCOMPARE(request.filterName, "TRQ files");
    QCOMPARE(request.filterPattern, "*.trq");
    QCOMPARE(request.defaultSuffix, "trq");
    QVERIFY(app->dialogs.messages.empty());
    QVERIFY(app->dialogs.saveChangesQuestions.empty());

    // The generic step rendered and played the old Patch; the load rendered
    // the new one once and played nothing.
    QCOMPARE(app->editor.renderCount(), 3);
    QCOMPARE(app->player.plays, 1);

    Patch expected;
    test::makeStartupPatch(expected);
    QVERIFY(readPatch(expected, loadFixtureBytes()).ok);
    QCOMPARE(test::patchState(patch()), test::patchState(expected));

    // The main panel shows the loaded osc2.
    QCOMPARE(window().currentOscillator(), 1);
    QCOMPARE(text(Ids::FrequencyText), "12.500");
    QCOMPARE(control<QScrollBar>(Ids::FrequencyBar).value(), 12);
    QCOMPARE(text(Ids::AmplitudeText), "77");
    QCOMPARE(control<QScrollBar>(Ids::AmplitudeBar).value(), 77);
    QVERIFY(control<QPushButton>(Ids::OscillatorOn).isChecked());
    QVERIFY(!control<QPushButton>(Ids::InvertFlag).isChecked());
    QVERIFY(control<QPushButton>(Ids::SequencedFlag).isChecked());
    QVERIFY(control<QPushButton>(Ids::ModulatorFlag).isChecked());
    QCOMPARE(comboText(Ids::WaveTypeCombo), "Square");
    QCOMPARE(comboText(Ids::FrequencySourceCombo), "none");
    QCOMPARE(comboText(Ids::AmplitudeSourceCombo), "env1");
    QCOMPARE(comboText(Ids::PulseSourceCombo), "none");
    QCOMPARE(text(Ids::SampleLengthText), "20");
    QCOMPARE(control<QScrollBar>(Ids::SampleLengthBar).value(), 20);

    // Choosing osc1 afterwards shows its loaded values too.
    pick(Ids::OscillatorCombo, 0);
    QCOMPARE(text(Ids::FrequencyText), "440.250");
    QVERIFY(control<QPushButton>(Ids::InvertFlag).isChecked());
    QCOMPARE(comboText(Ids::WaveTypeCombo), "Saw");
    QCOMPARE(comboText(Ids::FrequencySourceCombo), "env2");
    QCOMPARE(comboText(Ids::AmplitudeSourceCombo), "osc3");

    // The effects page shows the loaded master chain and its sources.
    const TabPage& effects = window().page(0);
    const auto effectsText = [&effects](int id) {
        return test::pageControl<QLineEdit>(effects, id).text();
    };
    const auto effectsSource = [&effects](int id) {
        return test::pageControl<QComboBox>(effects, id).currentText();
    };
    QCOMPARE(effectsText(EffectsIds::VolumeText), "90");
    QCOMPARE(effectsText(EffectsIds::LimitText), "10");
    QCOMPARE(effectsText(EffectsIds::WrapText), "20");
    QCOMPARE(effectsText(EffectsIds::CutoffText), "30");
    QCOMPARE(effectsText(EffectsIds::ResonanceFreqText), "1234.500");
    QCOMPARE(effectsText(EffectsIds::ResoText), "40");
    QCOMPARE(effectsText(EffectsIds::DelayTimeText), "50");
    QCOMPARE(effectsText(EffectsIds::DelayLevelText), "60");
    QCOMPARE(effectsText(EffectsIds::FlangerRateText), "3");
    QCOMPARE(effectsText(EffectsIds::FlangerDelayText), "4");
    QCOMPARE(test::pageControl<QScrollBar>(effects, EffectsIds::VolumeBar).value(), 90);
    for (const int id : {EffectsIds::ResonanceOn, EffectsIds::DelayOn, EffectsIds::FlangerOn}) {
        QVERIFY(test::pageControl<QAbstractButton>(effects, id).isChecked());
    }
    QCOMPARE(effectsSource(EffectsIds::VolumeSourceCombo), "env2");
    QCOMPARE(effectsSource(EffectsIds::LimitSourceCombo), "none");
    QCOMPARE(effectsSource(EffectsIds::WrapSourceCombo), "none");
    QCOMPARE(effectsSource(EffectsIds::CutoffSourceCombo), "osc1");
    QCOMPARE(effectsSource(EffectsIds::ResonanceFreqSourceCombo), "none");
    QCOMPARE(effectsSource(EffectsIds::ResoSourceCombo), "env1");
    QCOMPARE(effectsSource(EffectsIds::DelayTimeSourceCombo), "none");
    QCOMPARE(effectsSource(EffectsIds::DelayLevelSourceCombo), "none");

    // The envelope page shows the loaded env2.
    const TabPage& envelopes = window().page(1);
    QCOMPARE(test::pageControl<QComboBox>(envelopes, EnvelopeIds::EnvelopeCombo).currentText(),
             "env2");
    QVERIFY(test::pageControl<QAbstractButton>(envelopes, EnvelopeIds::EnvelopeOn).isChecked());
    QCOMPARE(test::pageControl<QLineEdit>(envelopes, EnvelopeIds::AttackText).text(), "30");
    QCOMPARE(test::pageControl<QLineEdit>(envelopes, EnvelopeIds::DecayText).text(), "90");
    QCOMPARE(test::pageControl<QLineEdit>(envelopes, EnvelopeIds::LevelText).text(), "200");

    // The sequencer page shows the loaded pattern, the cursor on step 1 and
    // no row highlighted.
    const TabPage& sequencer = window().page(2);
    QVERIFY(test::pageControl<QAbstractButton>(sequencer, SequencerIds::SequencerOn).isChecked());
    QCOMPARE(test::pageControl<QLineEdit>(sequencer, SequencerIds::AttackText).text(), "12");
    QCOMPARE(test::pageControl<QLineEdit>(sequencer, SequencerIds::DecayText).text(), "34");
    QCOMPARE(stepList().count(), 16);
    QCOMPARE(stepList().item(0)->text(), "A_ 4     _ _ _   #1");
    QCOMPARE(stepList().item(1)->text(), "____     _ _ _   #2");
    QCOMPARE(stepList().item(3)->text(), "E_ 5     S _ _   #4");
    QCOMPARE(sequencerPage().cursor(), 0);
    QVERIFY(stepList().selectedItems().isEmpty());

    // Both pictures show the render of the loaded Patch.
    QCOMPARE(sampleSurface(), sampleViewOf(expected));
    const QImage& graph =
        test::pageControl<SurfaceView>(envelopes, EnvelopeIds::EnvelopeGraph).surface();
    QImage expectedGraph(graph.size(), graph.format());
    drawEnvelopeGraph(expectedGraph, expected, 1);
    QCOMPARE(graph, expectedGraph);

    // A Patch just loaded has no unsaved changes; the caption names its file.
    QVERIFY(!window().isWindowModified());
    QVERIFY(!app->editor.hasUnsavedChanges());
    QVERIFY(window().windowTitle().startsWith("[*]Kilosynth " KILOSYNTH_VERSION));
    QVERIFY(window().windowTitle().endsWith(" - fixture.trq"));
    QCOMPARE(fileSizeText(), QString("Patch file: %1 bytes").arg(loadFixtureBytes().size()));
}

void PatchFileCommandsTest::failedLoadChangesNothing_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content"); // nothing written when empty
    QTest::addColumn<QString>("boxText");    // no box when empty
    QTest::addColumn<QString>("reason");

    const std::vector<std::uint8_t> bytes = loadFixtureBytes();
    const auto asBytes = [](const std::vector<std::uint8_t>& data) {
        return QByteArray(reinterpret_cast<const char*>(data.data()),
                          static_cast<qsizetype>(data.size()));
    };
    const std::vector<std::uint8_t> truncated(bytes.begin(), bytes.end() - 1);
    std::vector<std::uint8_t> length39 = bytes;
    length39[3] = static_cast<std::uint8_t>((length39[3] & 0x80) | 39);

    QTest::newRow("cancelled") << QString() << QByteArray() << QString() << QString();
    QTest::newRow("missing") << "missing.trq" << QByteArray() << "Can't open file"
                             << "No such file or directory";
    QTest::newRow("truncated") << "truncated.trq" << asBytes(truncated) << "Can't load file"
                               << QString("file ends after %1 bytes; its header announces %2")
                                      .arg(truncated.size())
                                      .arg(bytes.size());
    QTest::newRow("length 39") << "long.trq" << asBytes(length39) << "Can't load file"
                               << "sample length 39 exceeds 38 blocks";
}

void PatchFileCommandsTest::failedLoadChangesNothing() {
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QString, boxText);
    QFETCH(QString, reason);
    const std::filesystem::path path = *folder / fileName.toStdString();
    if (!content.isEmpty()) {
        test::writeBytes(path, std::span(reinterpret_cast<const std::uint8_t*>(content.data()),
                                         static_cast<std::size_t>(content.size())));
    }
    if (!fileName.isEmpty()) {
        app->dialogs.fileAnswers.push_back(path);
    }
    const std::vector<std::uint32_t> stateBefore = test::patchState(patch());
    const QStringList controlsBefore = controlStates();
    const QImage pictureBefore = sampleSurface().copy();
    const QString titleBefore = window().windowTitle();

    trigger(MainMenuTemplate::Load);

    if (boxText.isEmpty()) {
        QVERIFY(app->dialogs.messages.empty());
    } else {
        QCOMPARE(app->dialogs.messages.size(), std::size_t{1});
        const test::ScriptedDialogs::Message& box = app->dialogs.messages.front();
        QCOMPARE(box.kind, DialogService::MessageKind::Warning);
        QCOMPARE(box.title, "Load Error");
        QCOMPARE(box.text, boxText);
        QVERIFY2(box.details.contains(qPath(path)), qPrintable(box.details));
        QVERIFY2(box.details.contains(reason), qPrintable(box.details));
    }
    // Only the generic step rendered; the Patch and every control are as they were.
    QCOMPARE(app->editor.renderCount(), 2);
    QCOMPARE(test::patchState(patch()), stateBefore);
    QCOMPARE(controlStates(), controlsBefore);
    QCOMPARE(sampleSurface(), pictureBefore);
    QCOMPARE(window().windowTitle(), titleBefore);
    QVERIFY(!window().isWindowModified());
}

void PatchFileCommandsTest::saveWritesThePatch_data() {
    QTest::addColumn<int>("menuId");
    QTest::newRow("Save") << int{MainMenuTemplate::Save};
    QTest::newRow("Save As") << int{MainMenuTemplate::SaveAs};
}

void PatchFileCommandsTest::saveWritesThePatch() {
    QFETCH(int, menuId);
    editFrequency();
    QVERIFY(window().isWindowModified());
    const auto path = *folder / "lead.trq";
    app->dialogs.fileAnswers.push_back(path);

    trigger(menuId);

    QCOMPARE(app->dialogs.fileRequests.size(), std::size_t{1});
    const DialogService::FileRequest& request = app->dialogs.fileRequests.front();
    QCOMPARE(request.title, "Save TRQ");
    QCOMPARE(request.filterName, "TRQ files");
    QCOMPARE(request.filterPattern, "*.trq");
    QCOMPARE(request.defaultSuffix, "trq");
    QVERIFY(app->dialogs.messages.empty());
    QVERIFY(app->dialogs.proceedQuestions.empty());
    QCOMPARE(test::readBytes(path), encodePatch(patch()));
    QCOMPARE(patch().oscillators[0]->frequency, 6.0f);
    QCOMPARE(test::folderListing(folder->path()), std::vector<std::string>{"lead.trq"});
    QVERIFY(!window().isWindowModified());
    QVERIFY(window().windowTitle().endsWith(" - lead.trq"));

    // No name is remembered: the next save asks again, and cancelling it
    // writes nothing.
    const std::vector<std::uint8_t> firstSave = test::readBytes(path);
    editFrequency();
    trigger(menuId);
    QCOMPARE(app->dialogs.fileRequests.size(), std::size_t{2});
    QCOMPARE(test::readBytes(path), firstSave);
    QVERIFY(window().isWindowModified());
}

void PatchFileCommandsTest::saveAndLoadGiveTheSameBytes() {
    // A file written elsewhere: another leading byte and rate code 2.
    std::vector<std::uint8_t> original = loadFixtureBytes();
    original[0] = 0x11;
    original[4] = 2;
    const auto loaded = writeFixture("other.trq", original);
    const auto saved = *folder / "saved.trq";
    app->dialogs.fileAnswers = {loaded, saved};
    app->dialogs.proceedAnswers = {true};

    trigger(MainMenuTemplate::Load);
    QCOMPARE(patch().rate, 22050.0f);
    trigger(MainMenuTemplate::Save);

    // The rate is the one setting the file cannot keep; the user was told.
    QCOMPARE(app->dialogs.proceedQuestions.size(), std::size_t{1});
    QVERIFY(app->dialogs.proceedQuestions[0].details.contains(
        "sample rate 22050 Hz (stored as 44100 Hz)"));
    QVERIFY(!app->dialogs.proceedQuestions[0].details.contains("osc8"));
    std::vector<std::uint8_t> expected = original;
    expected[0] = 38;
    expected[4] = 3;
    QCOMPARE(test::readBytes(saved), expected);
}

void PatchFileCommandsTest::failedSaveKeepsTheOldFile_data() {
    QTest::addColumn<bool>("oldFileExists");
    QTest::newRow("disk full, old file") << true;
    QTest::newRow("missing folder") << false;
}

void PatchFileCommandsTest::failedSaveKeepsTheOldFile() {
    QFETCH(bool, oldFileExists);
    const std::vector<std::uint8_t> oldBytes = loadFixtureBytes();
    std::filesystem::path path = *folder / "missing" / "kick.trq";
    if (oldFileExists) {
        path = writeFixture("kick.trq", oldBytes);
    }
    app->dialogs.fileAnswers.push_back(path);
    editFrequency();
    const std::vector<std::string> listingBefore = test::folderListing(folder->path());

    {
        // Every write of more than one byte fails, as on a full disk.
        const FileSizeLimit limit(1);
        trigger(MainMenuTemplate::Save);
    }

    QCOMPARE(app->dialogs.messages.size(), std::size_t{1});
    const test::ScriptedDialogs::Message& box = app->dialogs.messages.front();
    QCOMPARE(box.kind, DialogService::MessageKind::Warning);
    QCOMPARE(box.title, "Save Error");
    QCOMPARE(box.text, "Can't save file");
    QVERIFY2(box.details.contains(qPath(path) + ": cannot "), qPrintable(box.details));
    // The old file is whole and nothing else was left behind.
    QCOMPARE(test::folderListing(folder->path()), listingBefore);
    if (oldFileExists) {
        QCOMPARE(test::readBytes(path), oldBytes);
    }
    // The changes are still unsaved.
    QVERIFY(window().isWindowModified());
    QVERIFY(app->editor.hasUnsavedChanges());
    QVERIFY(!window().windowTitle().contains("kick.trq"));
}

void PatchFileCommandsTest::osc8SourceIsNamedBeforeSaving_data() {
    QTest::addColumn<bool>("goOn");
    QTest::newRow("cancel") << false;
    QTest::newRow("save anyway") << true;
}

void PatchFileCommandsTest::osc8SourceIsNamedBeforeSaving() {
    QFETCH(bool, goOn);
    // osc2 on, its frequency following osc8 and its amplitude env3.
    pick(Ids::OscillatorCombo, 1);
    control<QPushButton>(Ids::OscillatorOn).click();
    pick(Ids::FrequencySourceCombo, 16);
    pick(Ids::AmplitudeSourceCombo, 3);
    QCOMPARE(int{patch().oscillators[1]->frequencySource}, 15);
    const auto path = *folder / "osc8.trq";
    app->dialogs.fileAnswers.push_back(path);
    app->dialogs.proceedAnswers.push_back(goOn);

    trigger(MainMenuTemplate::Save);

    QCOMPARE(app->dialogs.proceedQuestions.size(), std::size_t{1});
    const test::ScriptedDialogs::Message& warning = app->dialogs.proceedQuestions.front();
    QCOMPARE(warning.title, "Save TRQ");
    QVERIFY2(warning.details.contains("osc2 frequency source (osc8)"), qPrintable(warning.details));
    QVERIFY(warning.details.contains("saved as none"));
    QVERIFY(!warning.details.contains("amplitude"));
    // The warning comes before the chooser; cancelling it asks for no file.
    QCOMPARE(app->dialogs.fileRequests.size(), std::size_t{goOn ? 1u : 0u});
    QCOMPARE(std::filesystem::exists(path), goOn);
    QCOMPARE(window().isWindowModified(), !goOn);
    // The Patch in the editor keeps its osc8 source either way.
    QCOMPARE(int{patch().oscillators[1]->frequencySource}, 15);
    if (goOn) {
        Patch reloaded;
        QVERIFY(readPatch(reloaded, test::readBytes(path)).ok);
        QCOMPARE(int{reloaded.oscillators[1]->frequencySource}, -1);
        QCOMPARE(int{reloaded.oscillators[1]->amplitudeSource}, 2);
    }
}

void PatchFileCommandsTest::unsavedMarkFollowsTheFileContent() {
    QVERIFY(!window().isWindowModified());
    editFrequency();
    QVERIFY(window().isWindowModified());
    // Back where the file was: nothing to save.
    control<QScrollBar>(Ids::FrequencyBar).triggerAction(QAbstractSlider::SliderSingleStepSub);
    QVERIFY(!window().isWindowModified());
    control<QPushButton>(Ids::InvertFlag).click();
    QVERIFY(window().isWindowModified());
    app->dialogs.fileAnswers.push_back(*folder / "saved.trq");
    trigger(MainMenuTemplate::Save);
    QVERIFY(!window().isWindowModified());
}

void PatchFileCommandsTest::unsavedChangesAreOfferedForSaving_data() {
    QTest::addColumn<QString>("command"); // "New", "Load" or "Close"
    QTest::addColumn<bool>("edited");
    QTest::addColumn<int>("answer"); // a SaveChangesAnswer
    QTest::addColumn<bool>("saveChooserAnswered");
    QTest::addColumn<bool>("goesOn");

    const int save = static_cast<int>(Answer::Save);
    const int discard = static_cast<int>(Answer::Discard);
    const int cancel = static_cast<int>(Answer::Cancel);
    for (const QString command : {"New", "Load", "Close"}) {
        const auto row = [&command](const char* name) -> QTestData& {
            return QTest::addRow("%s, %s", qPrintable(command), name);
        };
        row("nothing to save") << command << false << cancel << false << true;
        row("save") << command << true << save << true << true;
        row("save, chooser cancelled") << command << true << save << false << false;
        row("discard") << command << true << discard << false << true;
        row("cancel") << command << true << cancel << false << false;
    }
}

void PatchFileCommandsTest::unsavedChangesAreOfferedForSaving() {
    QFETCH(QString, command);
    QFETCH(bool, edited);
    QFETCH(int, answer);
    QFETCH(bool, saveChooserAnswered);
    QFETCH(bool, goesOn);
    if (edited) {
        editFrequency();
    }
    const auto savedPath = *folder / "changes.trq";
    const auto loadPath = writeFixture("fixture.trq", loadFixtureBytes());
    app->dialogs.saveChangesAnswers.push_back(static_cast<Answer>(answer));
    const bool savingAsked = edited && answer == static_cast<int>(Answer::Save);
    if (savingAsked) {
        app->dialogs.fileAnswers.push_back(saveChooserAnswered ? std::optional(savedPath)
                                                               : std::nullopt);
    }
    app->dialogs.fileAnswers.push_back(loadPath);
    const std::vector<std::uint8_t> editedBytes = encodePatch(patch());

    if (command == "New") {
        trigger(MainMenuTemplate::New);
    } else if (command == "Load") {
        trigger(MainMenuTemplate::Load);
    } else {
        window().close();
    }

    QCOMPARE(app->dialogs.saveChangesQuestions.size(), std::size_t{edited ? 1u : 0u});
    if (edited) {
        const test::ScriptedDialogs::Message& question = app->dialogs.saveChangesQuestions.front();
        QCOMPARE(question.title, "Unsaved Changes");
        QVERIFY(question.text.contains("not saved"));
    }
    const bool saved = savingAsked && saveChooserAnswered;
    QCOMPARE(std::filesystem::exists(savedPath), saved);
    if (saved) {
        QCOMPARE(test::readBytes(savedPath), editedBytes);
    }

    // Where it goes on, the command does what it does without changes.
    const float frequency = patch().oscillators[0]->frequency;
    const float editedFrequency = edited ? 6.0f : 5.0f;
    bool replacesThePatch = false;
    if (command == "New") {
        QCOMPARE(frequency, goesOn ? 5.0f : editedFrequency);
        replacesThePatch = goesOn;
    } else if (command == "Load") {
        QCOMPARE(frequency, goesOn ? 440.25f : editedFrequency);
        // The open chooser comes only once the question is settled.
        const auto opened = std::count_if(
            app->dialogs.fileRequests.begin(), app->dialogs.fileRequests.end(),
            [](const DialogService::FileRequest& request) { return request.title == "Load TRQ"; });
        QCOMPARE(opened, goesOn ? 1 : 0);
        replacesThePatch = goesOn;
    } else {
        QCOMPARE(window().isVisible(), !goesOn);
        QCOMPARE(frequency, editedFrequency);
    }
    QCOMPARE(window().isWindowModified(), !replacesThePatch && edited && !saved);
}

void PatchFileCommandsTest::droppedPatchFileLoads() {
    const auto path = writeFixture("dropped.TRQ", loadFixtureBytes());
    editFrequency(); // unsaved: the drop asks first
    app->dialogs.saveChangesAnswers.push_back(Answer::Discard);
    const int plays = app->player.plays;
    const int renders = app->editor.renderCount();
    const auto data = dragOf({QUrl::fromLocalFile(qPath(path))});
    const QPointF where(400, 300);

    QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton,
                          Qt::NoModifier);
    enter.ignore();
    QCoreApplication::sendEvent(&window(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(where, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QCoreApplication::sendEvent(&window(), &drop);
    QVERIFY(drop.isAccepted());
    // The load runs once the drop has returned to the drag source.
    QCOMPARE(patch().oscillators[0]->frequency, 6.0f);
    QCoreApplication::sendPostedEvents();

    QCOMPARE(app->dialogs.saveChangesQuestions.size(), std::size_t{1});
    QVERIFY(app->dialogs.fileRequests.empty());
    QVERIFY(app->dialogs.messages.empty());
    QCOMPARE(patch().oscillators[0]->frequency, 440.25f);
    QCOMPARE(text(Ids::FrequencyText), "440.250");
    QCOMPARE(comboText(Ids::WaveTypeCombo), "Saw");
    QCOMPARE(text(Ids::SampleLengthText), "20");
    QCOMPARE(app->editor.renderCount(), renders + 1);
    QCOMPARE(app->player.plays, plays);
    Patch expected;
    test::makeStartupPatch(expected);
    QVERIFY(readPatch(expected, loadFixtureBytes()).ok);
    QCOMPARE(sampleSurface(), sampleViewOf(expected));
    QVERIFY(!window().isWindowModified());
    QVERIFY(window().windowTitle().endsWith(" - dropped.TRQ"));
}

void PatchFileCommandsTest::onlyASinglePatchFileIsAcceptedForDropping_data() {
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<bool>("accepted");
    const QUrl kick = QUrl::fromLocalFile("/nonexistent-kilosynth-folder/kick.trq");
    QTest::newRow("one patch file") << QList<QUrl>{kick} << true;
    QTest::newRow("a WAV file") << QList<QUrl>{QUrl::fromLocalFile("/tmp/kick.wav")} << false;
    QTest::newRow("no suffix") << QList<QUrl>{QUrl::fromLocalFile("/tmp/trq")} << false;
    QTest::newRow("two patch files")
        << QList<QUrl>{kick, QUrl::fromLocalFile("/tmp/snare.trq")} << false;
    QTest::newRow("not a local file") << QList<QUrl>{QUrl("https://example.org/kick.trq")} << false;
    QTest::newRow("no file") << QList<QUrl>{} << false;
}

void PatchFileCommandsTest::onlyASinglePatchFileIsAcceptedForDropping() {
    QFETCH(QList<QUrl>, urls);
    QFETCH(bool, accepted);
    const auto data = dragOf(urls);
    QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, data.get(), Qt::LeftButton,
                          Qt::NoModifier);
    enter.ignore();
    QCoreApplication::sendEvent(&window(), &enter);
    QCOMPARE(enter.isAccepted(), accepted);

    QDropEvent drop(QPointF(400, 300), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QCoreApplication::sendEvent(&window(), &drop);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(drop.isAccepted(), accepted);
    // Only an accepted drop tries to load (here a file that does not exist).
    QCOMPARE(app->dialogs.messages.size(), std::size_t{accepted ? 1u : 0u});
}

void PatchFileCommandsTest::commandLineArguments_data() {
    using Outcome = EditorCommandLine::Outcome;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("closeAfter");
    QTest::addColumn<QString>("message"); // contained in the message

    const int run = static_cast<int>(Outcome::RunEditor);
    const int error = static_cast<int>(Outcome::Error);
    QTest::newRow("nothing") << QStringList{} << run << QString() << -1 << QString();
    QTest::newRow("a file") << QStringList{"drums/kick.trq"} << run << "drums/kick.trq" << -1
                            << QString();
    QTest::newRow("a file and the smoke test's option")
        << QStringList{"--close-after-ms=250", "kick.trq"} << run << "kick.trq" << 250 << QString();
    QTest::newRow("two files") << QStringList{"kick.trq", "snare.trq"} << error << QString() << -1
                               << "Only one patch file";
    QTest::newRow("unknown option")
        << QStringList{"--bogus"} << error << QString() << -1 << "bogus";
    QTest::newRow("close-after-ms without a number")
        << QStringList{"--close-after-ms=soon"} << error << QString() << -1 << "milliseconds";
    QTest::newRow("version") << QStringList{"--version"} << static_cast<int>(Outcome::ShowVersion)
                             << QString() << -1 << "Kilosynth " KILOSYNTH_VERSION;
    QTest::newRow("help") << QStringList{"--help"} << static_cast<int>(Outcome::ShowHelp)
                          << QString() << -1 << "The patch file (.trq) to open.";
}

void PatchFileCommandsTest::commandLineArguments() {
    QFETCH(QStringList, arguments);
    QFETCH(int, outcome);
    QFETCH(QString, file);
    QFETCH(int, closeAfter);
    QFETCH(QString, message);

    const EditorCommandLine commandLine =
        EditorCommandLine::parse(QStringList{"kilosynth"} + arguments);

    QCOMPARE(static_cast<int>(commandLine.outcome), outcome);
    QVERIFY2(commandLine.message.contains(message), qPrintable(commandLine.message));
    QCOMPARE(commandLine.patchFile.has_value(), !file.isEmpty());
    if (commandLine.patchFile) {
        QCOMPARE(qPath(*commandLine.patchFile), file);
    }
    QCOMPARE(commandLine.closeAfterMilliseconds, closeAfter);
    // The hidden option stays out of the help.
    QVERIFY(!commandLine.message.contains("close-after-ms") ||
            outcome == static_cast<int>(EditorCommandLine::Outcome::Error));
}

void PatchFileCommandsTest::fileNamedAtStartUp_data() {
    QTest::addColumn<QByteArray>("content"); // nothing written when empty
    QTest::addColumn<QString>("boxText");    // loaded when empty
    QTest::newRow("patch file") << QByteArray("load") << QString();
    QTest::newRow("refused") << QByteArray("\x26\x80", 2) << "Can't load file";
    QTest::newRow("missing") << QByteArray() << "Can't open file";
}

void PatchFileCommandsTest::fileNamedAtStartUp() {
    QFETCH(QByteArray, content);
    QFETCH(QString, boxText);
    const auto path = *folder / "start.trq";
    if (content == "load") {
        test::writeBytes(path, loadFixtureBytes());
    } else if (!content.isEmpty()) {
        test::writeBytes(path, std::span(reinterpret_cast<const std::uint8_t*>(content.data()),
                                         static_cast<std::size_t>(content.size())));
    }
    const EditorCommandLine commandLine = EditorCommandLine::parse({"kilosynth", qPath(path)});
    QVERIFY(commandLine.patchFile.has_value());

    // As at start-up: a fresh editor, shown, then the file opened.
    window().openPatchFile(*commandLine.patchFile);

    Patch expected;
    test::makeStartupPatch(expected);
    if (boxText.isEmpty()) {
        QVERIFY(app->dialogs.messages.empty());
        QVERIFY(readPatch(expected, loadFixtureBytes()).ok);
        QCOMPARE(text(Ids::FrequencyText), "440.250");
        QVERIFY(window().windowTitle().endsWith(" - start.trq"));
    } else {
        QCOMPARE(app->dialogs.messages.size(), std::size_t{1});
        QCOMPARE(app->dialogs.messages[0].title, "Load Error");
        QCOMPARE(app->dialogs.messages[0].text, boxText);
        QVERIFY(app->dialogs.messages[0].details.contains(qPath(path) + ": "));
        QCOMPARE(text(Ids::FrequencyText), "5.000");
    }
    QCOMPARE(test::patchState(patch()), test::patchState(expected));
    QVERIFY(app->dialogs.saveChangesQuestions.empty());
    QVERIFY(app->dialogs.fileRequests.empty());
    QCOMPARE(app->player.plays, 0);
    QVERIFY(!window().isWindowModified());
}

void PatchFileCommandsTest::byteCountFollowsEveryEdit() {
    // Header 6, env1 9, osc1 7, master record 6.
    QCOMPARE(fileSizeText(), "Patch file: 28 bytes");
    pick(Ids::OscillatorCombo, 1);
    control<QPushButton>(Ids::OscillatorOn).click();
    QCOMPARE(fileSizeText(), "Patch file: 35 bytes");
    control<QPushButton>(Ids::OscillatorOn).click();
    QCOMPARE(fileSizeText(), "Patch file: 28 bytes");
    // An edit that changes a value, not a section, keeps the size.
    editFrequency();
    QCOMPARE(fileSizeText(), "Patch file: 28 bytes");
    // The sequencer's section: attack, decay and 16 steps.
    showTab(2);
    test::pageControl<QAbstractButton>(window().page(2), SequencerIds::SequencerOn).click();
    QCOMPARE(fileSizeText(), "Patch file: 62 bytes");

    // The label sits in the sample drawer's corner, beside the view.
    const QLabel& label = control<QLabel>(Ids::FileSizeText);
    QVERIFY(label.isVisible());
    QVERIFY(label.geometry().left() >= control<SurfaceView>(Ids::SampleView).geometry().right());
}

void PatchFileCommandsTest::shortcutsRunTheFileCommands_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("chooser"); // the title of the chooser it opens
    QTest::newRow("Ctrl+O") << int{Qt::Key_O} << "Load TRQ";
    QTest::newRow("Ctrl+S") << int{Qt::Key_S} << "Save TRQ";
    QTest::newRow("Ctrl+Q") << int{Qt::Key_Q} << QString();
}

void PatchFileCommandsTest::shortcutsRunTheFileCommands() {
    QFETCH(int, key);
    QFETCH(QString, chooser);
    // Outside the sequencer's step list, which takes these keys for itself.
    QWidget& focused = control<QComboBox>(Ids::OscillatorCombo);
    focused.setFocus();
    QVERIFY(focused.hasFocus());

    QTest::keyClick(&focused, static_cast<Qt::Key>(key), Qt::ControlModifier);

    // Each runs its menu item: the generic step, then the command.
    QCOMPARE(app->editor.renderCount(), 2);
    QCOMPARE(app->player.plays, 1);
    if (chooser.isEmpty()) {
        QVERIFY(!window().isVisible());
        QVERIFY(app->dialogs.fileRequests.empty());
    } else {
        QVERIFY(window().isVisible());
        QCOMPARE(app->dialogs.fileRequests.size(), std::size_t{1});
        QCOMPARE(app->dialogs.fileRequests[0].title, chooser);
    }
}

} // namespace kilosynth

QTEST_MAIN(kilosynth::PatchFileCommandsTest)
#include "PatchFileCommandsTest.moc"
