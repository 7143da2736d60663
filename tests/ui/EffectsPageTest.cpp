#include "ui/EffectsPage.h"

#include "tests/ui/EditorHarness.h"
#include "tests/ui/FakePlayer.h"
#include "tests/ui/PageHarness.h"
#include "tests/ui/ScriptedDialogs.h"
#include "ui/Editor.h"
#include "ui/MainWindow.h"
#include "ui/resources/EffectsPageTemplate.h"
#include "ui/resources/MainDialogTemplate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <memory>

namespace kilosynth {

using Ids = EffectsPageTemplate;
using test::pageControl;

class EffectsPageTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startupValues();
    void everyTemplateControlIsBuiltAtItsPlace();
    void eachScrollBarEditsItsField_data();
    void eachScrollBarEditsItsField();
    void resonanceFreqSteps_data();
    void resonanceFreqSteps();
    void eachSwitchTogglesOnlyItsBit_data();
    void eachSwitchTogglesOnlyItsBit();
    void sourceCombosWriteTheirField_data();
    void sourceCombosWriteTheirField();
    void scrollMessagesNoBindingActsOnRenderAndPlay_data();
    void scrollMessagesNoBindingActsOnRenderAndPlay();
    void refreshShowsAReplacedPatch();

private:
    MainWindow& window() { return app->window(); }
    TabPage& page() { return window().page(0); }
    Patch& patch() { return app->editor.patch; }
    int renders() const { return app->editor.renderCount(); }
    template <class Widget> Widget& control(int id) { return pageControl<Widget>(page(), id); }
    QString text(int id) { return control<QLineEdit>(id).text(); }

    std::unique_ptr<test::EditorHarness> app;
};

void EffectsPageTest::init() {
    app = std::make_unique<test::EditorHarness>();
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
}

void EffectsPageTest::cleanup() {
    app.reset();
}

void EffectsPageTest::startupValues() {
    QVERIFY(qobject_cast<EffectsPage*>(&page()) != nullptr);
    QCOMPARE(page().objectName(), "132");
    QVERIFY(page().isVisible());

    const std::pair<int, const char*> shown[] = {
        {Ids::VolumeText, "127"},
        {Ids::LimitText, "0"},
        {Ids::WrapText, "0"},
        {Ids::CutoffText, "0"},
        {Ids::ResonanceFreqText, "255.000"},
        {Ids::ResoText, "4"},
        {Ids::DelayTimeText, "200"},
        {Ids::DelayLevelText, "80"},
        {Ids::FlangerDelayText, "0"},
        {Ids::FlangerRateText, "0"},
    };
    for (const auto& [id, value] : shown) {
        QCOMPARE(text(id), value);
    }
    QCOMPARE(control<QScrollBar>(Ids::ResonanceFreqBar).value(), 255);
    QCOMPARE(control<QScrollBar>(Ids::ResonanceFreqBar).maximum(), 32767);
    QCOMPARE(control<QScrollBar>(Ids::VolumeBar).value(), 127);
    QCOMPARE(control<QScrollBar>(Ids::FlangerRateBar).maximum(), 255);
    for (const int id : {Ids::ResonanceOn, Ids::DelayOn, Ids::FlangerOn}) {
        QVERIFY(!control<QCheckBox>(id).isChecked());
    }
    for (const int id :
         {Ids::VolumeSourceCombo, Ids::LimitSourceCombo, Ids::WrapSourceCombo,
          Ids::CutoffSourceCombo, Ids::ResonanceFreqSourceCombo, Ids::ResoSourceCombo,
          Ids::DelayTimeSourceCombo, Ids::DelayLevelSourceCombo}) {
        QCOMPARE(control<QComboBox>(id).count(), 17);
        QCOMPARE(control<QComboBox>(id).currentText(), "none");
    }
    QVERIFY(!control<QComboBox>(Ids::DelayTimeSourceCombo).isEnabled());
    QVERIFY(!control<QComboBox>(Ids::DelayLevelSourceCombo).isEnabled());
    QCOMPARE(renders(), 1);
    QCOMPARE(app->player.plays, 0);
}

void EffectsPageTest::everyTemplateControlIsBuiltAtItsPlace() {
    // The tab control places the page; every control of the template fits inside.
    QVERIFY(test::isBuiltAsTemplate(page(), EffectsPageTemplate::get()));
}

void EffectsPageTest::eachScrollBarEditsItsField_data() {
    QTest::addColumn<int>("barId");
    QTest::addColumn<int>("textId");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("unsaved"); // the file stores the field: the caption marks the change
    // A page step right from each default, so every row shows a new value.
    // The file leaves out the settings of a switched-off effect.
    QTest::newRow("Volume") << Ids::VolumeBar << Ids::VolumeText << "137" << true;
    QTest::newRow("Limit") << Ids::LimitBar << Ids::LimitText << "10" << true;
    QTest::newRow("Wrap") << Ids::WrapBar << Ids::WrapText << "10" << true;
    QTest::newRow("Cutoff") << Ids::CutoffBar << Ids::CutoffText << "10" << true;
    QTest::newRow("Freq") << Ids::ResonanceFreqBar << Ids::ResonanceFreqText << "265.000" << false;
    QTest::newRow("Reso") << Ids::ResoBar << Ids::ResoText << "14" << false;
    QTest::newRow("Time") << Ids::DelayTimeBar << Ids::DelayTimeText << "210" << false;
    QTest::newRow("Level") << Ids::DelayLevelBar << Ids::DelayLevelText << "90" << false;
    QTest::newRow("Delay") << Ids::FlangerDelayBar << Ids::FlangerDelayText << "10" << false;
    QTest::newRow("Rate") << Ids::FlangerRateBar << Ids::FlangerRateText << "10" << false;
}

void EffectsPageTest::eachScrollBarEditsItsField() {
    QFETCH(int, barId);
    QFETCH(int, textId);
    QFETCH(QString, shown);
    QFETCH(bool, unsaved);
    const auto fields = [this] {
        const Patch& p = patch();
        return QString::asprintf("%d %d %d %d %.3f %d %d %d %d %d", p.volume, p.limit, p.wrap,
                                 p.cutoff, double{p.resonanceFreq}, p.reso, p.delayTime,
                                 p.delayLevel, p.flangerDelay, p.flangerRate);
    };
    const QStringList before = fields().split(' ');

    control<QScrollBar>(barId).triggerAction(QAbstractSlider::SliderPageStepAdd);

    QCOMPARE(text(textId), shown);
    // Exactly one field changed, to what is shown.
    const QStringList after = fields().split(' ');
    int changed = 0;
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (after[i] != before[i]) {
            ++changed;
            QCOMPARE(after[i], shown);
        }
    }
    QCOMPARE(changed, 1);
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.plays, 1);
    QCOMPARE(window().isWindowModified(), unsaved);
}

void EffectsPageTest::resonanceFreqSteps_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<float>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("thumb");
    using A = QAbstractSlider;
    QTest::newRow("line right") << int{A::SliderSingleStepAdd} << 256.0f << "256.000" << 256;
    QTest::newRow("page right") << int{A::SliderPageStepAdd} << 265.0f << "265.000" << 265;
    QTest::newRow("page left") << int{A::SliderPageStepSub} << 245.0f << "245.000" << 245;
}

void EffectsPageTest::resonanceFreqSteps() {
    QFETCH(int, action);
    QFETCH(float, stored);
    QFETCH(QString, shown);
    QFETCH(int, thumb);
    QScrollBar& bar = control<QScrollBar>(Ids::ResonanceFreqBar);
    bar.triggerAction(static_cast<QAbstractSlider::SliderAction>(action));
    QCOMPARE(patch().resonanceFreq, stored);
    QCOMPARE(text(Ids::ResonanceFreqText), shown);
    QCOMPARE(bar.value(), thumb);
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.plays, 1);
}

void EffectsPageTest::eachSwitchTogglesOnlyItsBit_data() {
    QTest::addColumn<int>("switchId");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("delay on, others on") << Ids::DelayOn << 0x05 << 0x07;
    QTest::newRow("delay off, others on") << Ids::DelayOn << 0x07 << 0x05;
    QTest::newRow("delay on, upper bits kept") << Ids::DelayOn << 0xF0 << 0xF2;
    QTest::newRow("resonance") << Ids::ResonanceOn << 0x06 << 0x07;
    QTest::newRow("flanger") << Ids::FlangerOn << 0x07 << 0x03;
}

void EffectsPageTest::eachSwitchTogglesOnlyItsBit() {
    QFETCH(int, switchId);
    QFETCH(int, before);
    QFETCH(int, after);
    patch().effects = static_cast<std::uint8_t>(before);
    app->editor.bindings.refreshAll();

    QTest::mouseClick(&control<QCheckBox>(switchId), Qt::LeftButton);

    QCOMPARE(int{patch().effects}, after);
    QCOMPARE(control<QCheckBox>(Ids::ResonanceOn).isChecked(), (after & 1) != 0);
    QCOMPARE(control<QCheckBox>(Ids::DelayOn).isChecked(), (after & 2) != 0);
    QCOMPARE(control<QCheckBox>(Ids::FlangerOn).isChecked(), (after & 4) != 0);
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.plays, 1);
}

void EffectsPageTest::sourceCombosWriteTheirField_data() {
    QTest::addColumn<int>("comboId");
    QTest::addColumn<int>("fieldIndex");
    QTest::newRow("Volume") << Ids::VolumeSourceCombo << 0;
    QTest::newRow("Limit") << Ids::LimitSourceCombo << 1;
    QTest::newRow("Wrap") << Ids::WrapSourceCombo << 2;
    QTest::newRow("Cutoff") << Ids::CutoffSourceCombo << 3;
    QTest::newRow("resonance Freq") << Ids::ResonanceFreqSourceCombo << 4;
    QTest::newRow("Reso") << Ids::ResoSourceCombo << 5;
}

void EffectsPageTest::sourceCombosWriteTheirField() {
    QFETCH(int, comboId);
    QFETCH(int, fieldIndex);
    const auto sources = [this] {
        const Patch& p = patch();
        return std::array<int, 6>{p.volumeSource, p.limitSource,         p.wrapSource,
                                  p.cutoffSource, p.resonanceFreqSource, p.resoSource};
    };
    auto& mainFrequencySource = *window().centralWidget()->findChild<QComboBox*>(
        QString::number(MainDialogTemplate::FrequencySourceCombo), Qt::FindDirectChildrenOnly);

    test::pick(control<QComboBox>(comboId), 9); // "osc1"

    std::array<int, 6> expected{-1, -1, -1, -1, -1, -1};
    expected[static_cast<std::size_t>(fieldIndex)] = 8;
    QCOMPARE(sources(), expected);
    QCOMPARE(control<QComboBox>(comboId).currentText(), "osc1");
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.plays, 1);
    // The main window's box with the same id belongs to another dialog.
    QCOMPARE(mainFrequencySource.currentText(), "none");
    QCOMPARE(int{patch().oscillators[0]->frequencySource}, -1);

    test::pick(control<QComboBox>(comboId), 0); // "none" stores 0xFF
    QCOMPARE(sources(), (std::array<int, 6>{-1, -1, -1, -1, -1, -1}));
    QCOMPARE(renders(), 3);
    QCOMPARE(app->player.plays, 2);
}

void EffectsPageTest::scrollMessagesNoBindingActsOnRenderAndPlay_data() {
    QTest::addColumn<int>("action");
    QTest::newRow("to the right end") << int{QAbstractSlider::SliderToMaximum};
    QTest::newRow("to the left end") << int{QAbstractSlider::SliderToMinimum};
}

void EffectsPageTest::scrollMessagesNoBindingActsOnRenderAndPlay() {
    QFETCH(int, action);
    QScrollBar& bar = control<QScrollBar>(Ids::VolumeBar);
    bar.triggerAction(static_cast<QAbstractSlider::SliderAction>(action));
    QCOMPARE(int{patch().volume}, 127);
    QCOMPARE(text(Ids::VolumeText), "127");
    QCOMPARE(bar.value(), 127);
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.plays, 1);

    // Releasing the thumb ends a drag with a message of its own.
    bar.setSliderDown(true);
    bar.setSliderDown(false);
    QCOMPARE(int{patch().volume}, 127);
    QCOMPARE(renders(), 3);
    QCOMPARE(app->player.plays, 2);
}

void EffectsPageTest::refreshShowsAReplacedPatch() {
    Patch& p = patch();
    p.volume = 3;
    p.resonanceFreq = 1000.25f;
    p.effects = Patch::ResonanceOn | Patch::FlangerOn;
    p.volumeSource = 0;        // env1
    p.limitSource = 15;        // osc8
    p.resoSource = 7;          // env8
    p.cutoffSource = -1;       // none
    p.wrapSource = 9;          // osc2
    p.resonanceFreqSource = 4; // env5

    window().refreshFromPatch();

    QCOMPARE(text(Ids::VolumeText), "3");
    QCOMPARE(text(Ids::ResonanceFreqText), "1000.250");
    QCOMPARE(control<QScrollBar>(Ids::ResonanceFreqBar).value(), 1000);
    QVERIFY(control<QCheckBox>(Ids::ResonanceOn).isChecked());
    QVERIFY(!control<QCheckBox>(Ids::DelayOn).isChecked());
    QVERIFY(control<QCheckBox>(Ids::FlangerOn).isChecked());
    QCOMPARE(control<QComboBox>(Ids::VolumeSourceCombo).currentText(), "env1");
    QCOMPARE(control<QComboBox>(Ids::LimitSourceCombo).currentText(), "osc8");
    QCOMPARE(control<QComboBox>(Ids::WrapSourceCombo).currentText(), "osc2");
    QCOMPARE(control<QComboBox>(Ids::CutoffSourceCombo).currentText(), "none");
    QCOMPARE(control<QComboBox>(Ids::ResonanceFreqSourceCombo).currentText(), "env5");
    QCOMPARE(control<QComboBox>(Ids::ResoSourceCombo).currentText(), "env8");
    QCOMPARE(control<QComboBox>(Ids::DelayTimeSourceCombo).currentText(), "none");
    QCOMPARE(control<QComboBox>(Ids::DelayLevelSourceCombo).currentText(), "none");
    QCOMPARE(app->player.plays, 0);
}

} // namespace kilosynth

QTEST_MAIN(kilosynth::EffectsPageTest)
#include "EffectsPageTest.moc"
