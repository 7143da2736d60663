#include "ui/EnvelopePage.h"

#include "tests/ui/EditorHarness.h"
#include "tests/ui/FakePlayer.h"
#include "tests/ui/PageHarness.h"
#include "tests/ui/ScriptedDialogs.h"
#include "ui/Editor.h"
#include "ui/MainWindow.h"
#include "ui/resources/EnvelopePageTemplate.h"
#include "ui/resources/MainDialogTemplate.h"
#include "ui/views/SurfaceView.h"
#include "ui/views/ViewDrawing.h"
#include "ui/widgets/TabControl.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <memory>

namespace kilosynth {

using Ids = EnvelopePageTemplate;
using test::pageControl;

namespace {

// The rows top to bottom: scroll bar, value field, the Envelope field.
struct Row {
    int barId;
    int textId;
    std::uint8_t Envelope::*field;
};
const Row Rows[] = {
    {Ids::DelayBar, Ids::DelayText, &Envelope::delay},
    {Ids::AttackBar, Ids::AttackText, &Envelope::attack},
    {Ids::HoldBar, Ids::HoldText, &Envelope::hold},
    {Ids::DecayBar, Ids::DecayText, &Envelope::decay},
    {Ids::SustainBar, Ids::SustainText, &Envelope::sustain},
    {Ids::LevelBar, Ids::LevelText, &Envelope::level},
    {Ids::ReleaseBar, Ids::ReleaseText, &Envelope::release},
    {Ids::AmpBar, Ids::AmpText, &Envelope::amp},
    {Ids::BasePointBar, Ids::BasePointText, &Envelope::basePoint},
};

} // namespace

class EnvelopePageTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startupValues();
    void everyTemplateControlIsBuiltAtItsPlace();
    void choosingAnEnvelopeShowsItWithoutRendering();
    void eachRowEditsTheSelectedEnvelope_data();
    void eachRowEditsTheSelectedEnvelope();
    void editsRenderAndRedrawButNeverPlay();
    void switchedOffEnvelopeKeepsItsLastCurve();
    void editsElsewhereLeaveTheGraphAlone();
    void autoRenderOffStoresWithoutRendering();
    void refreshKeepsTheSelectedEnvelope();

private:
    MainWindow& window() { return app->window(); }
    EnvelopePage& page() { return static_cast<EnvelopePage&>(window().page(1)); }
    Patch& patch() { return app->editor.patch; }
    int renders() const { return app->editor.renderCount(); }
    template <class Widget> Widget& control(int id) { return pageControl<Widget>(page(), id); }
    QString text(int id) { return control<QLineEdit>(id).text(); }
    QImage graph() { return control<SurfaceView>(Ids::EnvelopeGraph).surface().copy(); }
    QImage sampleView() {
        return pageControl<SurfaceView>(*window().centralWidget(), MainDialogTemplate::SampleView)
            .surface()
            .copy();
    }
    // The graph as it would show envelope `index`'s buffer as it stands.
    QImage expectedGraph(int index) {
        QImage expected(graph().size(), QImage::Format_RGB32);
        drawEnvelopeGraph(expected, patch(), index);
        return expected;
    }
    void showPage() {
        QTabBar& tabs =
            pageControl<TabControl>(*window().centralWidget(), MainDialogTemplate::TabControl)
                .tabBar();
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(1).center());
        QVERIFY(page().isVisible());
    }

    std::unique_ptr<test::EditorHarness> app;
};

void EnvelopePageTest::init() {
    app = std::make_unique<test::EditorHarness>();
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
    showPage();
}

void EnvelopePageTest::cleanup() {
    app.reset();
}

void EnvelopePageTest::startupValues() {
    QCOMPARE(page().objectName(), "135");
    QCOMPARE(page().currentEnvelope(), 0);
    QComboBox& combo = control<QComboBox>(Ids::EnvelopeCombo);
    QCOMPARE(combo.count(), 8);
    QCOMPARE(combo.currentText(), "env1");
    QCOMPARE(combo.itemText(7), "env8");
    QVERIFY(control<QPushButton>(Ids::EnvelopeOn).isChecked());
    const char* defaults[] = {"0", "0", "0", "255", "0", "0", "0", "255", "1"};
    for (std::size_t i = 0; i < std::size(Rows); ++i) {
        QCOMPARE(text(Rows[i].textId), defaults[i]);
        QCOMPARE(control<QScrollBar>(Rows[i].barId).value(), QString(defaults[i]).toInt());
        QCOMPARE(control<QScrollBar>(Rows[i].barId).maximum(), 255);
    }
    // The graph shows envelope 1 from the start-up render: from its resting
    // value on the bottom row up to the peak at once, then a decay.
    QCOMPARE(graph().size(), QSize(233, 187));
    QCOMPARE(graph(), expectedGraph(0));
    QCOMPARE(graph().pixel(0, 185), qRgb(255, 255, 255));
    QCOMPARE(graph().pixel(1, 2), qRgb(255, 255, 255));
    QCOMPARE(renders(), 1);
    QCOMPARE(app->player.plays, 0);
}

void EnvelopePageTest::everyTemplateControlIsBuiltAtItsPlace() {
    // The tab control places the page; every control of the template fits inside.
    QVERIFY(test::isBuiltAsTemplate(page(), EnvelopePageTemplate::get()));
}

void EnvelopePageTest::choosingAnEnvelopeShowsItWithoutRendering() {
    patch().envelopes[1]->attack = 33;

    test::pick(control<QComboBox>(Ids::EnvelopeCombo), 1);

    QCOMPARE(page().currentEnvelope(), 1);
    QVERIFY(!control<QPushButton>(Ids::EnvelopeOn).isChecked());
    QCOMPARE(text(Ids::AttackText), "33");
    QCOMPARE(text(Ids::DecayText), "255");
    QCOMPARE(text(Ids::BasePointText), "1");
    // Envelope 2 has never been rendered: its cleared curve lies on the bottom row.
    QCOMPARE(graph(), expectedGraph(1));
    QCOMPARE(graph().pixel(100, 185), qRgb(255, 255, 255));
    QCOMPARE(renders(), 1);
    QCOMPARE(app->player.plays, 0);

    // Choosing it again does nothing: the new value is not even shown.
    patch().envelopes[1]->attack = 44;
    test::pick(control<QComboBox>(Ids::EnvelopeCombo), 1);
    QCOMPARE(text(Ids::AttackText), "33");
    QCOMPARE(renders(), 1);

    // The page now edits envelope 2.
    QTest::mouseClick(&control<QPushButton>(Ids::EnvelopeOn), Qt::LeftButton);
    QCOMPARE(int{patch().envelopes[1]->enabled}, 1);
    QCOMPARE(int{patch().envelopes[0]->enabled}, 1);
}

void EnvelopePageTest::eachRowEditsTheSelectedEnvelope_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < static_cast<int>(std::size(Rows)); ++row) {
        QTest::addRow("%s", qPrintable(QString::number(Rows[row].barId))) << row;
    }
}

void EnvelopePageTest::eachRowEditsTheSelectedEnvelope() {
    QFETCH(int, row);
    test::pick(control<QComboBox>(Ids::EnvelopeCombo), 2);
    Envelope& env3 = *patch().envelopes[2];
    const Envelope& env1 = *patch().envelopes[0];
    const int before = env3.*Rows[row].field;
    const int expected = std::min(before + 10, 255);

    control<QScrollBar>(Rows[row].barId).triggerAction(QAbstractSlider::SliderPageStepAdd);

    QCOMPARE(int{env3.*Rows[row].field}, expected);
    QCOMPARE(text(Rows[row].textId), QString::number(expected));
    // The other rows and envelope 1 are untouched.
    for (const Row& other : Rows) {
        if (other.barId != Rows[row].barId) {
            QCOMPARE(text(other.textId), QString::number(env3.*other.field));
        }
    }
    QCOMPARE(int{env1.attack}, 0);
    QCOMPARE(int{env1.decay}, 255);
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.plays, 0);
}

void EnvelopePageTest::editsRenderAndRedrawButNeverPlay() {
    // Envelope 1 shapes osc1's amplitude, so its edits change the sample too.
    patch().oscillators[0]->amplitudeSource = 0;
    const QImage graphBefore = graph();
    const QImage sampleBefore = sampleView();

    QScrollBar& attack = control<QScrollBar>(Ids::AttackBar);
    attack.setSliderDown(true);
    attack.setSliderPosition(128);
    attack.setSliderDown(false);

    QCOMPARE(int{patch().envelopes[0]->attack}, 128);
    QCOMPARE(renders(), 1 + 2); // the drag and the release
    QVERIFY(graph() != graphBefore);
    QCOMPARE(graph(), expectedGraph(0));
    QVERIFY(sampleView() != sampleBefore);

    // Switching the envelope off renders and redraws as well.
    QTest::mouseClick(&control<QPushButton>(Ids::EnvelopeOn), Qt::LeftButton);
    QCOMPARE(int{patch().envelopes[0]->enabled}, 0);
    QCOMPARE(renders(), 4);
    QCOMPARE(app->player.plays, 0);
    QVERIFY(window().isWindowModified());
}

void EnvelopePageTest::switchedOffEnvelopeKeepsItsLastCurve() {
    const QImage startupCurve = graph();
    QScrollBar& attack = control<QScrollBar>(Ids::AttackBar);
    for (int i = 0; i < 5; ++i) {
        attack.triggerAction(QAbstractSlider::SliderPageStepAdd);
    }
    QCOMPARE(int{patch().envelopes[0]->attack}, 50);
    const QImage lastCurve = graph();
    QVERIFY(lastCurve != startupCurve);

    QTest::mouseClick(&control<QPushButton>(Ids::EnvelopeOn), Qt::LeftButton);
    QCOMPARE(graph(), lastCurve);

    // While it is off, edits render but leave its curve as it was.
    for (int i = 0; i < 5; ++i) {
        attack.triggerAction(QAbstractSlider::SliderPageStepSub);
    }
    QCOMPARE(int{patch().envelopes[0]->attack}, 0);
    QCOMPARE(renders(), 1 + 11);
    QCOMPARE(graph(), lastCurve);

    // Switched on again, the next render draws the curve of its values now.
    QTest::mouseClick(&control<QPushButton>(Ids::EnvelopeOn), Qt::LeftButton);
    QVERIFY(graph() != lastCurve);
    QCOMPARE(graph(), startupCurve);
}

void EnvelopePageTest::editsElsewhereLeaveTheGraphAlone() {
    patch().envelopes[0]->attack = 100; // heard at the next render, drawn at the next redraw
    const QImage before = graph();

    auto& lengthBar =
        pageControl<QScrollBar>(*window().centralWidget(), MainDialogTemplate::SampleLengthBar);
    lengthBar.triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(renders(), 2);
    QCOMPARE(graph(), before);

    // The page's next edit draws the new curve over the new length.
    control<QScrollBar>(Ids::HoldBar).triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QVERIFY(graph() != before);
    QCOMPARE(graph(), expectedGraph(0));
}

void EnvelopePageTest::autoRenderOffStoresWithoutRendering() {
    auto& autoRender =
        pageControl<QPushButton>(*window().centralWidget(), MainDialogTemplate::AutoRender);
    autoRender.click();
    const int rendersBefore = renders();
    const QImage before = graph();

    control<QScrollBar>(Ids::AttackBar).triggerAction(QAbstractSlider::SliderPageStepAdd);

    QCOMPARE(int{patch().envelopes[0]->attack}, 10);
    QCOMPARE(text(Ids::AttackText), "10");
    QCOMPARE(renders(), rendersBefore);
    QCOMPARE(graph(), before);
}

void EnvelopePageTest::refreshKeepsTheSelectedEnvelope() {
    test::pick(control<QComboBox>(Ids::EnvelopeCombo), 2);
    Envelope& env3 = *patch().envelopes[2];
    env3.enabled = 1;
    env3.attack = 40;
    env3.release = 7;
    env3.basePoint = 0;

    window().refreshFromPatch();

    QCOMPARE(page().currentEnvelope(), 2);
    QCOMPARE(control<QComboBox>(Ids::EnvelopeCombo).currentText(), "env3");
    QVERIFY(control<QPushButton>(Ids::EnvelopeOn).isChecked());
    QCOMPARE(text(Ids::AttackText), "40");
    QCOMPARE(text(Ids::ReleaseText), "7");
    QCOMPARE(text(Ids::BasePointText), "0");
    // The graph shows envelope 3 as the refresh rendered it.
    QCOMPARE(graph(), expectedGraph(2));
    QVERIFY(graph() != QImage(expectedGraph(0)));
    QCOMPARE(app->player.plays, 0);
}

} // namespace kilosynth

QTEST_MAIN(kilosynth::EnvelopePageTest)
#include "EnvelopePageTest.moc"
