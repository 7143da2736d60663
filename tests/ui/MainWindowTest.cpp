#include "ui/MainWindow.h"

#include "tests/ui/EditorHarness.h"
#include "tests/ui/FakePlayer.h"
#include "tests/ui/ScriptedDialogs.h"
#include "ui/AboutDialog.h"
#include "ui/Editor.h"
#include "ui/TabPage.h"
#include "ui/resources/MainDialogTemplate.h"
#include "ui/resources/MainMenuTemplate.h"
#include "ui/views/SurfaceView.h"
#include "ui/views/ViewDrawing.h"
#include "ui/widgets/DialogBuilder.h"
#include "ui/widgets/TabControl.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>

namespace kilosynth {

using Ids = MainDialogTemplate;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startupState();
    void everyTemplateControlIsBuiltAtItsPlace();
    void choosingAnOscillatorShowsItWithoutRendering();
    void choosingTheSelectedOscillatorAgainDoesNothing();
    void valuesWithoutAnEntryShowNoSelection();
    void waveTypeKeepsTheFlagBits();
    void sourceCombosStoreEntryMinusOne_data();
    void sourceCombosStoreEntryMinusOne();
    void sampleRateAndBaseNoteChangeNothing();
    void scrollStepsStoreAndRenderOncePerMessage_data();
    void scrollStepsStoreAndRenderOncePerMessage();
    void thumbDragRendersOncePerMessage();
    void mouseOnTheArrowAndThumb();
    void zeroSampleLengthRendersAnEmptySample();
    void checkButtonsToggleTheirBitAndRender();
    void enterAndEscapeRunTheGenericStep_data();
    void enterAndEscapeRunTheGenericStep();
    void switchingTabsShowsOnePage();
    void autoRenderAndAutoPlayGateRenderAndPlay();
    void renderPlayAndStopButtons();
    void progressBarFollowsPlayback();
    void menuCommandsRunTheGenericStepFirst();
    void newRestoresTheStartupPatch();
    void exitAndAltF4Close();
    void aboutBoxShowsTheProgram();
    void aboutBoxIgnoresEscape();
    void repaintsCopyTheSurfaceWithoutRedrawing();
    void failedPreviewIsToldOnceInTheWindow();
    void envelopeGraphControlShowsItsDrawing();

private:
    MainWindow& window() { return app->window(); }
    Patch& patch() { return app->editor.patch; }
    int renders() const { return app->editor.renderCount(); }

    template <class Widget> Widget& control(int id) { return app->mainControl<Widget>(id); }
    QString text(int id) { return control<QLineEdit>(id).text(); }
    QAction& menuAction(int id) {
        auto* action = window().findChild<QAction*>(QString::number(id));
        if (action == nullptr) {
            qFatal("no menu item %d", id);
        }
        return *action;
    }

    // Picks an entry the way a user does: opens the list, moves to the entry
    // and confirms it.
    void pick(int comboId, int entry) {
        QComboBox& combo = control<QComboBox>(comboId);
        combo.showPopup();
        combo.view()->setCurrentIndex(combo.model()->index(entry, 0));
        QTest::keyClick(combo.view(), Qt::Key_Return);
        QCOMPARE(combo.currentIndex(), entry);
    }

    std::unique_ptr<test::EditorHarness> app;
};

void MainWindowTest::init() {
    app = std::make_unique<test::EditorHarness>();
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
}

void MainWindowTest::cleanup() {
    app.reset();
}

void MainWindowTest::startupState() {
    // One render at start-up, nothing played.
    QCOMPARE(renders(), 1);
    QCOMPARE(app->player.plays, 0);
    QCOMPARE(app->player.inits, 1);
    QCOMPARE(int{patch().oscillators[0]->enabled}, 1);
    QCOMPARE(int{patch().envelopes[0]->enabled}, 1);

    QCOMPARE(window().currentOscillator(), 0);
    QVERIFY(control<QPushButton>(Ids::OscillatorOn).isChecked());
    QCOMPARE(text(Ids::FrequencyText), "5.000");
    QCOMPARE(text(Ids::AmplitudeText), "252");
    QCOMPARE(text(Ids::SampleLengthText), "38");
    QCOMPARE(control<QScrollBar>(Ids::FrequencyBar).value(), 5);
    QCOMPARE(control<QScrollBar>(Ids::FrequencyBar).maximum(), 22050);
    QCOMPARE(control<QScrollBar>(Ids::AmplitudeBar).maximum(), 255);
    QCOMPARE(control<QScrollBar>(Ids::SampleLengthBar).maximum(), 38);
    QCOMPARE(control<QComboBox>(Ids::WaveTypeCombo).currentText(), "Sine");
    QCOMPARE(control<QComboBox>(Ids::WaveTypeCombo).itemText(4), "Noice");
    for (const int id :
         {Ids::FrequencySourceCombo, Ids::AmplitudeSourceCombo, Ids::PulseSourceCombo}) {
        QCOMPARE(control<QComboBox>(id).count(), 17);
        QCOMPARE(control<QComboBox>(id).currentText(), "none");
        QCOMPARE(control<QComboBox>(id).itemText(16), "osc8");
    }
    QCOMPARE(control<QComboBox>(Ids::SampleRateCombo).currentText(), "44100");
    QCOMPARE(control<QComboBox>(Ids::BaseNoteCombo).currentText(), "A-1");
    QCOMPARE(control<QComboBox>(Ids::OscillatorCombo).currentText(), "osc1");
    QVERIFY(!control<QPushButton>(Ids::InvertFlag).isChecked());
    QVERIFY(control<QPushButton>(Ids::AutoRender).isChecked());
    QVERIFY(control<QPushButton>(Ids::AutoPlay).isChecked());
    QCOMPARE(control<QProgressBar>(Ids::PlaybackProgress).value(), 0);
    QVERIFY(!control<QComboBox>(Ids::PulseSourceCombo).isEnabled());

    // The "Filters" page is the one shown.
    QCOMPARE(window().currentPage(), 0);
    QTabBar& tabs = control<TabControl>(Ids::TabControl).tabBar();
    QCOMPARE(tabs.count(), 3);
    QCOMPARE(tabs.tabText(0), "Filters");
    QCOMPARE(tabs.tabText(1), "Envelopes");
    QCOMPARE(tabs.tabText(2), "Sequencer");
    QVERIFY(window().page(0).isVisible());
    QVERIFY(!window().page(1).isVisible());
    QVERIFY(!window().page(2).isVisible());

    // The caption names the program, its version, its authors and the year;
    // "[*]" is where Qt shows the unsaved-changes mark, absent at start-up.
    QVERIFY(window().windowTitle().startsWith("[*]Kilosynth " KILOSYNTH_VERSION));
    QVERIFY(window().windowTitle().contains("2026"));
    QVERIFY(!window().isWindowModified());
    QVERIFY(!window().windowIcon().isNull());
    QVERIFY(window().findChild<QLabel*>("previewNotice") == nullptr);
}

void MainWindowTest::everyTemplateControlIsBuiltAtItsPlace() {
    for (const ControlTemplate& item : MainDialogTemplate::get().controls) {
        if (item.id == ControlTemplate::NoId) {
            continue;
        }
        const QWidget& widget = control<QWidget>(item.id);
        const QRect expected = dialogRectToPixels(item.rect);
        QCOMPARE(widget.pos(), expected.topLeft());
        QCOMPARE(widget.width(), expected.width());
        if (item.kind != ControlKind::ComboBox) { // the template gives the open list's height
            QCOMPARE(widget.height(), expected.height());
        }
    }
    // 390 x 70 dialog units.
    QCOMPARE(control<SurfaceView>(Ids::SampleView).size(), QSize(585, 114));
    QCOMPARE(control<SurfaceView>(Ids::SampleView).surface().size(), QSize(585, 114));
    QCOMPARE(window().centralWidget()->size(), QSize(789, 544));
    for (int i = 0; i < MainWindow::PageCount; ++i) {
        QCOMPARE(window().page(i).geometry(), QRect(2, 22, 769, 245));
        QCOMPARE(window().page(i).parentWidget(), &control<TabControl>(Ids::TabControl));
    }
}

void MainWindowTest::choosingAnOscillatorShowsItWithoutRendering() {
    Oscillator& osc3 = *patch().oscillators[2];
    osc3.frequency = 123.5f;
    osc3.amplitude = 17;
    osc3.flags = Oscillator::Invert | Oscillator::Sequenced |
                 static_cast<std::uint8_t>(Oscillator::WaveType::Saw);
    osc3.frequencySource = 9; // osc2
    osc3.amplitudeSource = 1; // env2
    const int rendersBefore = renders();

    pick(Ids::OscillatorCombo, 2);

    QCOMPARE(window().currentOscillator(), 2);
    QCOMPARE(text(Ids::FrequencyText), "123.500");
    QCOMPARE(control<QScrollBar>(Ids::FrequencyBar).value(), 123);
    QCOMPARE(text(Ids::AmplitudeText), "17");
    QVERIFY(!control<QPushButton>(Ids::OscillatorOn).isChecked());
    QVERIFY(control<QPushButton>(Ids::InvertFlag).isChecked());
    QVERIFY(control<QPushButton>(Ids::SequencedFlag).isChecked());
    QVERIFY(!control<QPushButton>(Ids::ModulatorFlag).isChecked());
    QCOMPARE(control<QComboBox>(Ids::WaveTypeCombo).currentText(), "Saw");
    QCOMPARE(control<QComboBox>(Ids::FrequencySourceCombo).currentText(), "osc2");
    QCOMPARE(control<QComboBox>(Ids::AmplitudeSourceCombo).currentText(), "env2");
    QCOMPARE(text(Ids::SampleLengthText), "38");
    QCOMPARE(renders(), rendersBefore);
    QCOMPARE(app->player.plays, 0);

    // The panel now edits oscillator 3.
    control<QPushButton>(Ids::OscillatorOn).click();
    QCOMPARE(int{osc3.enabled}, 1);
    QCOMPARE(int{patch().oscillators[0]->enabled}, 1);
}

void MainWindowTest::choosingTheSelectedOscillatorAgainDoesNothing() {
    pick(Ids::OscillatorCombo, 2);
    patch().oscillators[2]->frequency = 200.0f; // not shown until the panel is pointed anew
    pick(Ids::OscillatorCombo, 2);
    QCOMPARE(text(Ids::FrequencyText), "5.000");
    QCOMPARE(renders(), 1);
    QCOMPARE(app->player.plays, 0);
}

void MainWindowTest::valuesWithoutAnEntryShowNoSelection() {
    Oscillator& osc2 = *patch().oscillators[1];
    osc2.frequencySource = SequencerSource; // the sequencer's curve has no entry
    osc2.amplitudeSource = -7;              // any negative source is none
    osc2.flags = 0x40;                      // no wave type

    pick(Ids::OscillatorCombo, 1);

    QCOMPARE(control<QComboBox>(Ids::FrequencySourceCombo).currentIndex(), -1);
    QCOMPARE(control<QComboBox>(Ids::AmplitudeSourceCombo).currentText(), "none");
    QCOMPARE(control<QComboBox>(Ids::WaveTypeCombo).currentIndex(), -1);
    QCOMPARE(int{osc2.frequencySource}, int{SequencerSource});
}

void MainWindowTest::waveTypeKeepsTheFlagBits() {
    Oscillator& osc1 = *patch().oscillators[0];
    control<QPushButton>(Ids::InvertFlag).click();
    QCOMPARE(int{osc1.flags}, 0x81);
    const int rendersBefore = renders();
    const int playsBefore = app->player.plays;

    pick(Ids::WaveTypeCombo, 3); // "Square"

    QCOMPARE(int{osc1.flags}, 0x84);
    QVERIFY(control<QPushButton>(Ids::InvertFlag).isChecked());
    QCOMPARE(renders(), rendersBefore + 1);
    QCOMPARE(app->player.plays, playsBefore + 1);
}

void MainWindowTest::sourceCombosStoreEntryMinusOne_data() {
    QTest::addColumn<int>("comboId");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("frequencyField");
    QTest::newRow("frequency env2") << Ids::FrequencySourceCombo << 2 << 1 << true;
    QTest::newRow("frequency osc8") << Ids::FrequencySourceCombo << 16 << 15 << true;
    QTest::newRow("frequency none") << Ids::FrequencySourceCombo << 0 << -1 << true;
    QTest::newRow("amplitude env1") << Ids::AmplitudeSourceCombo << 1 << 0 << false;
    QTest::newRow("amplitude osc1") << Ids::AmplitudeSourceCombo << 9 << 8 << false;
}

void MainWindowTest::sourceCombosStoreEntryMinusOne() {
    QFETCH(int, comboId);
    QFETCH(int, entry);
    QFETCH(int, stored);
    QFETCH(bool, frequencyField);
    Oscillator& osc1 = *patch().oscillators[0];
    // Start from another source, so that "none" is a change too.
    osc1.frequencySource = 3;
    osc1.amplitudeSource = 3;

    pick(comboId, entry);

    QCOMPARE(int{frequencyField ? osc1.frequencySource : osc1.amplitudeSource}, stored);
    QCOMPARE(int{frequencyField ? osc1.amplitudeSource : osc1.frequencySource}, 3);
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.plays, 1);
}

void MainWindowTest::sampleRateAndBaseNoteChangeNothing() {
    pick(Ids::SampleRateCombo, 1); // "22050"
    pick(Ids::BaseNoteCombo, 4);
    QCOMPARE(patch().rate, 44100.0f);
    QCOMPARE(control<QComboBox>(Ids::SampleRateCombo).currentText(), "22050");
    QCOMPARE(renders(), 1);
    QCOMPARE(app->player.plays, 0);
}

void MainWindowTest::scrollStepsStoreAndRenderOncePerMessage_data() {
    QTest::addColumn<int>("barId");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("position");
    using A = QAbstractSlider;
    QTest::newRow("frequency line")
        << Ids::FrequencyBar << int{A::SliderSingleStepAdd} << "6.000" << 6;
    QTest::newRow("frequency line left")
        << Ids::FrequencyBar << int{A::SliderSingleStepSub} << "4.000" << 4;
    QTest::newRow("frequency page")
        << Ids::FrequencyBar << int{A::SliderPageStepAdd} << "15.000" << 15;
    QTest::newRow("frequency page left stops at 0")
        << Ids::FrequencyBar << int{A::SliderPageStepSub} << "0.000" << 0;
    QTest::newRow("frequency to maximum is ignored")
        << Ids::FrequencyBar << int{A::SliderToMaximum} << "5.000" << 5;
    QTest::newRow("amplitude page stops at 255")
        << Ids::AmplitudeBar << int{A::SliderPageStepAdd} << "255" << 255;
    QTest::newRow("length line right stops at 38")
        << Ids::SampleLengthBar << int{A::SliderSingleStepAdd} << "38" << 38;
    QTest::newRow("length page left")
        << Ids::SampleLengthBar << int{A::SliderPageStepSub} << "28" << 28;
    QTest::newRow("length to minimum is ignored")
        << Ids::SampleLengthBar << int{A::SliderToMinimum} << "38" << 38;
}

void MainWindowTest::scrollStepsStoreAndRenderOncePerMessage() {
    QFETCH(int, barId);
    QFETCH(int, action);
    QFETCH(QString, shown);
    QFETCH(int, position);
    const int textId = barId == Ids::FrequencyBar   ? Ids::FrequencyText
                       : barId == Ids::AmplitudeBar ? Ids::AmplitudeText
                                                    : Ids::SampleLengthText;
    QScrollBar& bar = control<QScrollBar>(barId);

    bar.triggerAction(static_cast<QAbstractSlider::SliderAction>(action));

    QCOMPARE(text(textId), shown);
    QCOMPARE(bar.value(), position);
    QCOMPARE(bar.sliderPosition(), position);
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.plays, 1);
    // The field holds what is shown.
    if (barId == Ids::FrequencyBar) {
        QCOMPARE(QString::asprintf("%.3f", double{patch().oscillators[0]->frequency}), shown);
    } else if (barId == Ids::AmplitudeBar) {
        QCOMPARE(QString::number(patch().oscillators[0]->amplitude), shown);
    } else {
        QCOMPARE(QString::number(patch().length), shown);
    }
}

void MainWindowTest::thumbDragRendersOncePerMessage() {
    QScrollBar& bar = control<QScrollBar>(Ids::FrequencyBar);
    patch().oscillators[0]->frequency = 5.5f;

    // What the bar does while its thumb is dragged: each new position is a
    // move, the release ends the scroll.
    bar.setSliderDown(true);
    bar.setSliderPosition(300);
    QCOMPARE(text(Ids::FrequencyText), "300.000");
    bar.setSliderPosition(1200);
    bar.setSliderDown(false);

    QCOMPARE(patch().oscillators[0]->frequency, 1200.0f);
    QCOMPARE(text(Ids::FrequencyText), "1200.000");
    QCOMPARE(bar.value(), 1200);
    QCOMPARE(renders(), 1 + 3);
    QCOMPARE(app->player.plays, 3);
}

namespace {

QRect subControlRect(QScrollBar& bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.state |= QStyle::State_Horizontal;
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
}

} // namespace

void MainWindowTest::mouseOnTheArrowAndThumb() {
    QScrollBar& bar = control<QScrollBar>(Ids::AmplitudeBar);
    patch().oscillators[0]->amplitude = 100;
    app->editor.bindings.refreshAll();
    QCOMPARE(bar.value(), 100);

    QTest::mouseClick(&bar, Qt::LeftButton, {},
                      subControlRect(bar, QStyle::SC_ScrollBarAddLine).center());
    QCOMPARE(int{patch().oscillators[0]->amplitude}, 101);
    QCOMPARE(renders(), 2);

    const QPoint thumb = subControlRect(bar, QStyle::SC_ScrollBarSlider).center();
    QTest::mousePress(&bar, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(&bar, thumb + QPoint(40, 0));
    const int afterFirstMove = patch().oscillators[0]->amplitude;
    QVERIFY(afterFirstMove > 101);
    QCOMPARE(renders(), 3);
    QTest::mouseMove(&bar, thumb + QPoint(80, 0));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, thumb + QPoint(80, 0));

    QVERIFY(patch().oscillators[0]->amplitude > afterFirstMove);
    QCOMPARE(text(Ids::AmplitudeText), QString::number(patch().oscillators[0]->amplitude));
    QCOMPARE(bar.value(), int{patch().oscillators[0]->amplitude});
    // The arrow click, two moves and the release.
    QCOMPARE(renders(), 1 + 4);
}

void MainWindowTest::zeroSampleLengthRendersAnEmptySample() {
    QScrollBar& bar = control<QScrollBar>(Ids::SampleLengthBar);
    bar.setSliderDown(true);
    bar.setSliderPosition(0);
    QCOMPARE(text(Ids::SampleLengthText), "0");
    QCOMPARE(int{patch().length}, 0);
    QCOMPARE(patch().sampleCount(), 0);
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.lastPlayedSamples, 0);

    bar.setSliderPosition(bar.maximum());
    bar.setSliderDown(false);
    QCOMPARE(int{patch().length}, 38);
    QCOMPARE(app->player.lastPlayedSamples, 38 * 1024);
}

void MainWindowTest::checkButtonsToggleTheirBitAndRender() {
    Oscillator& osc1 = *patch().oscillators[0];
    struct Case {
        int id;
        int enabled;
        int flags;
    };
    // Each click toggles one bit of the selected oscillator and renders once.
    const Case cases[] = {{Ids::OscillatorOn, 0, 0x01},  {Ids::InvertFlag, 0, 0x81},
                          {Ids::SequencedFlag, 0, 0xC1}, {Ids::ModulatorFlag, 0, 0xE1},
                          {Ids::InvertFlag, 0, 0x61},    {Ids::OscillatorOn, 1, 0x61}};
    int clicks = 0;
    for (const Case& c : cases) {
        QPushButton& button = control<QPushButton>(c.id);
        QTest::mouseClick(&button, Qt::LeftButton);
        ++clicks;
        QCOMPARE(int{osc1.enabled}, c.enabled);
        QCOMPARE(int{osc1.flags}, c.flags);
        QCOMPARE(renders(), 1 + clicks);
        QCOMPARE(app->player.plays, clicks);
    }
    QVERIFY(control<QPushButton>(Ids::OscillatorOn).isChecked());
    QVERIFY(!control<QPushButton>(Ids::InvertFlag).isChecked());
    QVERIFY(control<QPushButton>(Ids::SequencedFlag).isChecked());
    QVERIFY(control<QPushButton>(Ids::ModulatorFlag).isChecked());
}

void MainWindowTest::enterAndEscapeRunTheGenericStep_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Escape") << int{Qt::Key_Escape};
    QTest::newRow("Return") << int{Qt::Key_Return};
    QTest::newRow("keypad Enter") << int{Qt::Key_Enter};
}

void MainWindowTest::enterAndEscapeRunTheGenericStep() {
    QFETCH(int, key);
    const std::uint8_t flagsBefore = patch().oscillators[0]->flags;
    // Also with the keyboard focus on a check button: Enter does not click it.
    control<QPushButton>(Ids::InvertFlag).setFocus();
    QTest::keyClick(&control<QPushButton>(Ids::InvertFlag), static_cast<Qt::Key>(key));
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.plays, 1);
    QCOMPARE(patch().oscillators[0]->flags, flagsBefore);
    QVERIFY(window().isVisible());
}

void MainWindowTest::switchingTabsShowsOnePage() {
    QTabBar& tabs = control<TabControl>(Ids::TabControl).tabBar();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(1).center());
    QCOMPARE(window().currentPage(), 1);
    QVERIFY(!window().page(0).isVisible());
    QVERIFY(window().page(1).isVisible());
    QCOMPARE(window().page(1).objectName(), "135");

    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(1).center());
    QCOMPARE(window().currentPage(), 1);
    QVERIFY(window().page(1).isVisible());

    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(2).center());
    QVERIFY(!window().page(1).isVisible());
    QVERIFY(window().page(2).isVisible());
    QCOMPARE(window().page(2).objectName(), "136");
    QCOMPARE(renders(), 1);
    QCOMPARE(app->player.plays, 0);
}

void MainWindowTest::autoRenderAndAutoPlayGateRenderAndPlay() {
    QPushButton& autoRender = control<QPushButton>(Ids::AutoRender);
    QPushButton& autoPlay = control<QPushButton>(Ids::AutoPlay);

    // Unchecking "Auto Render" is itself a command: it plays, no longer renders.
    autoRender.click();
    QVERIFY(!autoRender.isChecked());
    QCOMPARE(renders(), 1);
    QCOMPARE(app->player.plays, 1);

    control<QScrollBar>(Ids::FrequencyBar).triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(patch().oscillators[0]->frequency, 15.0f); // the edit is stored all the same
    QCOMPARE(renders(), 1);
    QCOMPARE(app->player.plays, 2);

    autoRender.click();
    autoPlay.click();
    QCOMPARE(renders(), 3);
    QCOMPARE(app->player.plays, 3);
    QVERIFY(autoRender.isChecked());
    QVERIFY(!autoPlay.isChecked());
    control<QScrollBar>(Ids::FrequencyBar).triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(renders(), 4);
    QCOMPARE(app->player.plays, 3);
}

void MainWindowTest::renderPlayAndStopButtons() {
    QPushButton& render = control<QPushButton>(Ids::RenderButton);
    QPushButton& play = control<QPushButton>(Ids::PlayButton);
    QPushButton& stop = control<QPushButton>(Ids::StopButton);
    control<QPushButton>(Ids::AutoRender).setChecked(false);
    control<QPushButton>(Ids::AutoPlay).setChecked(false);
    patch().oscillators[0]->amplitude = 0; // a change the last render has not heard yet

    QTest::mouseClick(&render, Qt::LeftButton);
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.plays, 0);
    QCOMPARE(patch().mix[100], 0.0f);

    QTest::mouseClick(&play, Qt::LeftButton);
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.plays, 1);

    QTest::mouseClick(&stop, Qt::LeftButton);
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.plays, 1);
    QCOMPARE(app->player.stops, 1);
    QCOMPARE(int{patch().oscillators[0]->amplitude}, 0);
}

void MainWindowTest::progressBarFollowsPlayback() {
    QProgressBar& bar = control<QProgressBar>(Ids::PlaybackProgress);
    app->player.scriptedProgress = {11025, 38912, true};
    QTest::mouseClick(&control<QPushButton>(Ids::PlayButton), Qt::LeftButton);
    QCOMPARE(bar.maximum(), 38912);
    QCOMPARE(bar.value(), 11025);

    app->player.scriptedProgress = {30000, 38912, true};
    window().updateProgress();
    QCOMPARE(bar.value(), 30000);

    app->player.scriptedProgress = {38912, 38912, false};
    window().updateProgress();
    QCOMPARE(bar.value(), 0);
}

void MainWindowTest::menuCommandsRunTheGenericStepFirst() {
    // Each file command renders and plays the Patch as it stands, then opens
    // its chooser (cancelled here), and changes nothing else.
    for (const int id : {MainMenuTemplate::Load, MainMenuTemplate::Save, MainMenuTemplate::SaveAs,
                         MainMenuTemplate::SaveWav}) {
        const int rendersBefore = renders();
        const int playsBefore = app->player.plays;
        const std::size_t requestsBefore = app->dialogs.fileRequests.size();
        menuAction(id).trigger();
        QCOMPARE(renders(), rendersBefore + 1);
        QCOMPARE(app->player.plays, playsBefore + 1);
        QCOMPARE(app->dialogs.fileRequests.size(), requestsBefore + 1);
    }
    QCOMPARE(int{patch().oscillators[0]->flags}, 0x01);
    QVERIFY(window().isVisible());
    QVERIFY(app->dialogs.modals.empty());
    QVERIFY(app->dialogs.messages.empty());
}

void MainWindowTest::newRestoresTheStartupPatch() {
    Oscillator& osc1 = *patch().oscillators[0];
    osc1.frequency = 100.0f;
    osc1.frequencySource = 2;
    osc1.flags = 0x84;
    patch().length = 10;
    patch().oscillators[2]->enabled = 1;
    patch().envelopes[0]->enabled = 0;
    patch().sequencer->steps[0].note = 60;
    app->editor.bindings.refreshAll();
    QCOMPARE(text(Ids::FrequencyText), "100.000");
    app->dialogs.saveChangesAnswers.push_back(DialogService::SaveChangesAnswer::Discard);

    menuAction(MainMenuTemplate::New).trigger();

    // The changes were offered for saving first.
    QCOMPARE(app->dialogs.saveChangesQuestions.size(), std::size_t{1});
    QVERIFY(!window().isWindowModified());
    // The generic step renders and plays the old Patch; "New" renders once more.
    QCOMPARE(renders(), 3);
    QCOMPARE(app->player.plays, 1);
    QCOMPARE(osc1.frequency, 5.0f);
    QCOMPARE(int{osc1.enabled}, 1);
    QCOMPARE(int{patch().envelopes[0]->enabled}, 1);
    QCOMPARE(int{patch().oscillators[2]->enabled}, 0);
    QCOMPARE(int{patch().sequencer->steps[0].note}, 0);
    QCOMPARE(text(Ids::FrequencyText), "5.000");
    QCOMPARE(text(Ids::SampleLengthText), "38");
    QCOMPARE(control<QScrollBar>(Ids::SampleLengthBar).value(), 38);
    QCOMPARE(control<QComboBox>(Ids::FrequencySourceCombo).currentText(), "none");
    QCOMPARE(control<QComboBox>(Ids::WaveTypeCombo).currentText(), "Sine");
    QVERIFY(!control<QPushButton>(Ids::InvertFlag).isChecked());
    QCOMPARE(window().currentOscillator(), 0);
    // The sample view shows the new render: osc1's sine is not silent.
    const QImage& surface = control<SurfaceView>(Ids::SampleView).surface();
    bool traceOffCentre = false;
    for (int y = 0; y < surface.height() && !traceOffCentre; ++y) {
        traceOffCentre = y != 57 && (surface.pixel(300, y) | 0xFF000000u) == 0xFFFFFFFFu;
    }
    QVERIFY(traceOffCentre);
}

void MainWindowTest::exitAndAltF4Close() {
    menuAction(MainMenuTemplate::Exit).trigger();
    QVERIFY(!window().isVisible());
    QCOMPARE(renders(), 2);

    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
    QTest::keyClick(&window(), Qt::Key_F4, Qt::AltModifier);
    QVERIFY(!window().isVisible());
    QCOMPARE(renders(), 2);
}

void MainWindowTest::aboutBoxShowsTheProgram() {
    menuAction(MainMenuTemplate::About).trigger();
    QCOMPARE(renders(), 2);
    QCOMPARE(app->dialogs.modals.size(), std::size_t{1});
    const test::ScriptedDialogs::ModalDialog& about = app->dialogs.modals.front();
    QCOMPARE(about.title, "About");
    QVERIFY(about.labels.contains("Kilosynth " KILOSYNTH_VERSION));
    QVERIFY(about.labels.contains("Special for 64k intro using"));
    QVERIFY(about.labels.filter("2026").size() == 1);
}

void MainWindowTest::aboutBoxIgnoresEscape() {
    AboutDialog about(&window());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(about.isVisible());
    auto* ok = about.findChild<QPushButton*>("1");
    QVERIFY(ok != nullptr);
    QVERIFY(ok->isDefault());
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int{QDialog::Accepted});
}

void MainWindowTest::repaintsCopyTheSurfaceWithoutRedrawing() {
    SurfaceView& view = control<SurfaceView>(Ids::SampleView);
    const QImage drawn = view.surface().copy();
    // A Patch change that nothing has drawn yet must not appear on a repaint.
    std::fill(patch().mix.begin(), patch().mix.end(), 1.0f);
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), drawn.size());
    QCOMPARE(shown, drawn);
}

void MainWindowTest::failedPreviewIsToldOnceInTheWindow() {
    app.reset();
    app = std::make_unique<test::EditorHarness>("no audio device here");
    window().show();

    auto* notice = window().findChild<QLabel*>("previewNotice");
    QVERIFY(notice != nullptr);
    QVERIFY(notice->text().contains("no audio device here"));
    QVERIFY(notice->isVisible());
    // Edits go on as usual, without any box.
    control<QScrollBar>(Ids::FrequencyBar).triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(text(Ids::FrequencyText), "6.000");
    QCOMPARE(renders(), 2);
    QVERIFY(app->dialogs.messages.empty());
    QCOMPARE(window().findChildren<QLabel*>("previewNotice").size(), 1);
}

void MainWindowTest::envelopeGraphControlShowsItsDrawing() {
    // The envelope page's control 1043, 155 x 115 dialog units.
    SurfaceView graph(nullptr);
    graph.resize(233, 187);
    createEnvelopeSurface(graph);
    QCOMPARE(graph.surface().size(), QSize(233, 187));
    QCOMPARE(graph.surface().format(), QImage::Format_RGB32);
    std::fill(patch().envelopes[1]->buffer.begin(), patch().envelopes[1]->buffer.end(), 1.0f);

    drawEnvelopeGraph(graph, patch(), 1);

    const QImage shown = graph.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, graph.surface());
    QCOMPARE(shown.pixel(1, 1) | 0xFF000000u, 0xFFFFFFFFu);      // the curve at 1, near the top
    QCOMPARE(shown.pixel(1, 18) | 0xFF000000u, qRgb(128, 0, 0)); // a grid line
}

} // namespace kilosynth

QTEST_MAIN(kilosynth::MainWindowTest)
#include "MainWindowTest.moc"
