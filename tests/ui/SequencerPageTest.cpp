#include "ui/SequencerPage.h"

#include "tests/ui/EditorHarness.h"
#include "tests/ui/FakePlayer.h"
#include "tests/ui/PageHarness.h"
#include "tests/ui/ScriptedDialogs.h"
#include "ui/Editor.h"
#include "ui/MainWindow.h"
#include "ui/resources/MainDialogTemplate.h"
#include "ui/resources/MainMenuTemplate.h"
#include "ui/resources/SequencerPageTemplate.h"
#include "ui/widgets/StepList.h"
#include "ui/widgets/TabControl.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <memory>

namespace kilosynth {

using Ids = SequencerPageTemplate;
using test::pageControl;

class SequencerPageTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startupState();
    void everyTemplateControlIsBuiltAtItsPlace();
    void typingZSUWritesThreeNotes();
    void keyTable_data();
    void keyTable();
    void cursorWrapsBothWays();
    void flagKeyUpAndAgainRestoresTheFlags();
    void notesAndRestsKeepTheFlags();
    void rowsShowEveryNoteAndOctave();
    void clicksNeverMoveTheCursor();
    void listTakesTheFocus();
    void listKeysWinOverWindowShortcuts();
    void enterAndEscapeStillReachTheWindow();
    void noteEnvelopeStoresWithoutRendering();
    void onRendersAndPlaysWhatWasTyped();
    void rebuildShowsAReplacedPatch();

private:
    MainWindow& window() { return app->window(); }
    SequencerPage& page() { return static_cast<SequencerPage&>(window().page(2)); }
    Patch& patch() { return app->editor.patch; }
    Sequencer& sequencer() { return *app->editor.patch.sequencer; }
    int renders() const { return app->editor.renderCount(); }
    template <class Widget> Widget& control(int id) { return pageControl<Widget>(page(), id); }
    StepList& list() { return control<StepList>(Ids::StepList); }
    QString row(int index) { return list().item(index)->text(); }
    // The one highlighted row, or -1.
    int highlighted() {
        const QList<QListWidgetItem*> selected = list().selectedItems();
        return selected.size() == 1 ? list().row(selected.front()) : -1;
    }
    // Keys go where the user's keys go: to the widget with the focus.
    void type(const QString& keys) {
        for (const QChar key : keys) {
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
        }
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void showPage() {
        QTabBar& tabs =
            pageControl<TabControl>(*window().centralWidget(), MainDialogTemplate::TabControl)
                .tabBar();
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(2).center());
        QVERIFY(page().isVisible());
    }

    std::unique_ptr<test::EditorHarness> app;
};

void SequencerPageTest::init() {
    app = std::make_unique<test::EditorHarness>();
    window().show();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    showPage();
}

void SequencerPageTest::cleanup() {
    app.reset();
}

void SequencerPageTest::startupState() {
    QCOMPARE(page().objectName(), "136");
    QCOMPARE(list().count(), 16);
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(row(i), QString("____     _ _ _   #%1").arg(i + 1));
    }
    QCOMPARE(highlighted(), -1);
    QCOMPARE(page().cursor(), 0);
    for (const SequencerStep& step : sequencer().steps) {
        QCOMPARE(int{step.note}, 0);
        QCOMPARE(int{step.flags}, 0);
    }

    QVERIFY(!control<QPushButton>(Ids::SequencerOn).isChecked());
    QCOMPARE(control<QLineEdit>(Ids::AttackText).text(), "5");
    QCOMPARE(control<QLineEdit>(Ids::DecayText).text(), "60");
    QCOMPARE(control<QScrollBar>(Ids::AttackBar).maximum(), 100);
    QCOMPARE(control<QScrollBar>(Ids::DecayBar).maximum(), 100);
    QCOMPARE(control<QScrollBar>(Ids::DecayBar).value(), 60);

    QComboBox& numNotes = control<QComboBox>(Ids::NumNotesCombo);
    QCOMPARE(numNotes.count(), 4);
    QCOMPARE(numNotes.itemText(0), "8");
    QCOMPARE(numNotes.itemText(3), "64");
    QCOMPARE(numNotes.currentText(), "16");
    QVERIFY(!numNotes.isEnabled());
    QCOMPARE(control<QComboBox>(Ids::NoteEnvelopeCombo).count(), 0);
    QVERIFY(!control<QComboBox>(Ids::NoteEnvelopeCombo).isEnabled());

    // The rows' columns line up.
    QVERIFY(QFontInfo(list().font()).fixedPitch());
    QCOMPARE(renders(), 1);
    QCOMPARE(app->player.plays, 0);
    QVERIFY(!window().isWindowModified());
}

void SequencerPageTest::everyTemplateControlIsBuiltAtItsPlace() {
    // The tab control places the page; every control of the template fits inside.
    QVERIFY(test::isBuiltAsTemplate(page(), SequencerPageTemplate::get()));
}

void SequencerPageTest::typingZSUWritesThreeNotes() {
    // The file stores the steps of a sequencer that is on.
    sequencer().enabled = 1;
    app->editor.markSaved();

    type("zsu");

    QCOMPARE(int{sequencer().steps[0].note}, 60);
    QCOMPARE(int{sequencer().steps[1].note}, 61);
    QCOMPARE(int{sequencer().steps[2].note}, 83);
    QCOMPARE(row(0), "C_ 5     _ _ _   #1");
    QCOMPARE(row(1), "C# 5     _ _ _   #2");
    QCOMPARE(row(2), "B_ 6     _ _ _   #3");
    QCOMPARE(row(3), "____     _ _ _   #4");
    QCOMPARE(page().cursor(), 3);
    QCOMPARE(highlighted(), 3);
    QCOMPARE(list().currentRow(), 3);
    // Typing changes the Patch without rendering or playing.
    QCOMPARE(renders(), 1);
    QCOMPARE(app->player.plays, 0);
    QVERIFY(window().isWindowModified());
}

void SequencerPageTest::keyTable_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("note");  // step 1's note afterwards
    QTest::addColumn<int>("flags"); // step 1's flags afterwards
    QTest::addColumn<int>("cursor");
    const int none = Qt::NoModifier;
    const int shift = Qt::ShiftModifier;
    const int keypad = Qt::KeypadModifier;
    // Step 1 holds note 64 with flags 0 before each key.
    QTest::newRow("Z") << int{Qt::Key_Z} << none << 60 << 0 << 1;
    QTest::newRow("Shift+Z") << int{Qt::Key_Z} << shift << 60 << 0 << 1;
    QTest::newRow("M") << int{Qt::Key_M} << none << 71 << 0 << 1;
    QTest::newRow("Q") << int{Qt::Key_Q} << none << 72 << 0 << 1;
    QTest::newRow("2") << int{Qt::Key_2} << none << 73 << 0 << 1;
    QTest::newRow("7") << int{Qt::Key_7} << none << 82 << 0 << 1;
    QTest::newRow("keypad 2") << int{Qt::Key_2} << keypad << 64 << 0 << 0;
    QTest::newRow("keypad 0") << int{Qt::Key_0} << keypad << 64 << 0 << 0;
    QTest::newRow("Ctrl+S") << int{Qt::Key_S} << int{Qt::ControlModifier} << 61 << 0 << 1;
    QTest::newRow("Alt+Z") << int{Qt::Key_Z} << int{Qt::AltModifier} << 64 << 0 << 0;
    QTest::newRow("Space") << int{Qt::Key_Space} << none << 0 << 0 << 1;
    QTest::newRow("O") << int{Qt::Key_O} << none << 64 << 2 << 1;
    QTest::newRow("Shift+O") << int{Qt::Key_O} << shift << 64 << 2 << 1;
    QTest::newRow("0") << int{Qt::Key_0} << none << 64 << 4 << 1;
    QTest::newRow("P") << int{Qt::Key_P} << none << 64 << 8 << 1;
    QTest::newRow("Down") << int{Qt::Key_Down} << none << 64 << 0 << 1;
    QTest::newRow("Up") << int{Qt::Key_Up} << none << 64 << 0 << 15;
    QTest::newRow("keypad Up") << int{Qt::Key_Up} << keypad << 64 << 0 << 15;
    QTest::newRow("A") << int{Qt::Key_A} << none << 64 << 0 << 0;
    QTest::newRow("1") << int{Qt::Key_1} << none << 64 << 0 << 0;
    QTest::newRow("Page Down") << int{Qt::Key_PageDown} << none << 64 << 0 << 0;
    QTest::newRow("End") << int{Qt::Key_End} << none << 64 << 0 << 0;
}

void SequencerPageTest::keyTable() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, note);
    QFETCH(int, flags);
    QFETCH(int, cursor);
    sequencer().steps[0].note = 64;
    page().rebuildStepList();

    press(static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(int{sequencer().steps[0].note}, note);
    QCOMPARE(int{sequencer().steps[0].flags}, flags);
    QCOMPARE(page().cursor(), cursor);
    for (std::size_t i = 1; i < sequencer().steps.size(); ++i) {
        QCOMPARE(int{sequencer().steps[i].note}, 0);
        QCOMPARE(int{sequencer().steps[i].flags}, 0);
    }
    // A key that does nothing leaves the list as it was, without a highlight.
    const bool acted = note != 64 || flags != 0 || cursor != 0;
    QCOMPARE(highlighted(), acted ? cursor : -1);
    QCOMPARE(renders(), 1);
}

void SequencerPageTest::cursorWrapsBothWays() {
    press(Qt::Key_Up);
    QCOMPARE(page().cursor(), 15);
    QCOMPARE(highlighted(), 15);

    type("c");
    QCOMPARE(int{sequencer().steps[15].note}, 64);
    QCOMPARE(row(15), "E_ 5     _ _ _   #16");
    QCOMPARE(page().cursor(), 0);
    QCOMPARE(highlighted(), 0);

    press(Qt::Key_Up);
    press(Qt::Key_Down);
    QCOMPARE(page().cursor(), 0);
    for (int i = 0; i < 16; ++i) {
        press(Qt::Key_Down);
    }
    QCOMPARE(page().cursor(), 0);
    QCOMPARE(highlighted(), 0);
}

void SequencerPageTest::flagKeyUpAndAgainRestoresTheFlags() {
    type("o");
    QCOMPARE(int{sequencer().steps[0].flags}, 2);
    QCOMPARE(row(0), "____     S _ _   #1");
    press(Qt::Key_Up);
    type("o");
    QCOMPARE(int{sequencer().steps[0].flags}, 0);
    QCOMPARE(row(0), "____     _ _ _   #1");
    QCOMPARE(page().cursor(), 1);
    QCOMPARE(highlighted(), 1);
}

void SequencerPageTest::notesAndRestsKeepTheFlags() {
    type("o0p");
    QCOMPARE(row(0), "____     S _ _   #1");
    QCOMPARE(row(1), "____     _ U _   #2");
    QCOMPARE(row(2), "____     _ _ D   #3");
    sequencer().steps[4].flags = SequencerStep::Slide | SequencerStep::MarkD;
    page().rebuildStepList();
    QCOMPARE(row(4), "____     S _ D   #5");
    QCOMPARE(page().cursor(), 0);

    // Down to step 5, a note over it, back up, a rest over it.
    for (int i = 0; i < 4; ++i) {
        press(Qt::Key_Down);
    }
    type("v");
    QCOMPARE(int{sequencer().steps[4].note}, 65);
    QCOMPARE(int{sequencer().steps[4].flags}, 0x0A);
    QCOMPARE(row(4), "F_ 5     S _ D   #5");
    press(Qt::Key_Up);
    press(Qt::Key_Space);
    QCOMPARE(int{sequencer().steps[4].note}, 0);
    QCOMPARE(int{sequencer().steps[4].flags}, 0x0A);
    QCOMPARE(row(4), "____     S _ D   #5");

    // A flag key keeps the note.
    press(Qt::Key_Up);
    type("b0");
    QCOMPARE(int{sequencer().steps[4].note}, 67);
    QCOMPARE(int{sequencer().steps[5].flags}, 4);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    type("0");
    QCOMPARE(row(4), "G_ 5     S U D   #5");
}

void SequencerPageTest::rowsShowEveryNoteAndOctave() {
    struct Case {
        std::uint8_t note;
        std::uint8_t flags;
        const char* row;
    };
    // Steps as a file may hold them: any note 1 to 255, any flags.
    const Case cases[] = {
        {1, 0, "C# 0     _ _ _   #1"},      {11, 0x02, "B_ 0     S _ _   #2"},
        {69, 0x0E, "A_ 5     S U D   #3"},  {120, 0x01, "C_10     _ _ _   #4"},
        {255, 0xF0, "D#21     _ _ _   #5"}, {0, 0xFF, "____     S U D   #6"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        sequencer().steps[i] = {cases[i].note, cases[i].flags};
    }
    page().rebuildStepList();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        QCOMPARE(row(static_cast<int>(i)), cases[i].row);
    }
    QCOMPARE(row(15), "____     _ _ _   #16");
}

void SequencerPageTest::clicksNeverMoveTheCursor() {
    const auto click = [this](int index) {
        const QRect rect = list().visualItemRect(list().item(index));
        QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, rect.center());
    };
    type("zz");
    QCOMPARE(highlighted(), 2);

    click(7);
    QCOMPARE(page().cursor(), 2);
    QCOMPARE(highlighted(), 2);
    QCOMPARE(list().currentRow(), 2);
    click(2); // the highlighted row itself
    QCOMPARE(highlighted(), 2);

    // A drag across rows and a Ctrl-click that would clear the highlight.
    const QRect from = list().visualItemRect(list().item(5));
    const QRect to = list().visualItemRect(list().item(9));
    QTest::mousePress(list().viewport(), Qt::LeftButton, {}, from.center());
    QTest::mouseMove(list().viewport(), to.center());
    QTest::mouseRelease(list().viewport(), Qt::LeftButton, {}, to.center());
    QTest::mouseClick(list().viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list().visualItemRect(list().item(2)).center());
    QCOMPARE(highlighted(), 2);
    QCOMPARE(page().cursor(), 2);

    // Typing goes on at the cursor.
    type("x");
    QCOMPARE(int{sequencer().steps[2].note}, 62);
    QCOMPARE(int{sequencer().steps[5].note}, 0);
    QCOMPARE(int{sequencer().steps[7].note}, 0);

    // Before any key, a click shows the cursor on step 1.
    page().rebuildStepList();
    QCOMPARE(highlighted(), -1);
    click(6);
    QCOMPARE(highlighted(), 0);
    QCOMPARE(page().cursor(), 0);
}

void SequencerPageTest::listTakesTheFocus() {
    // Shown by its tab, the page gives the list the focus: typing works at once.
    QCOMPARE(QApplication::focusWidget(), &list());

    // Clicked, after the focus went elsewhere.
    QPushButton& on = control<QPushButton>(Ids::SequencerOn);
    on.setFocus();
    QCOMPARE(QApplication::focusWidget(), &on);
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {},
                      list().visualItemRect(list().item(4)).center());
    QCOMPARE(QApplication::focusWidget(), &list());

    // Tabbed to, backwards from "On".
    on.setFocus();
    QTest::keyClick(&on, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), &list());

    // Shown again after another page: the focus comes back to the list.
    QTabBar& tabs =
        pageControl<TabControl>(*window().centralWidget(), MainDialogTemplate::TabControl).tabBar();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(0).center());
    QVERIFY(QApplication::focusWidget() != &list());
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(2).center());
    QCOMPARE(QApplication::focusWidget(), &list());
    type("z");
    QCOMPARE(int{sequencer().steps[0].note}, 60);
}

void SequencerPageTest::listKeysWinOverWindowShortcuts() {
    // The File menu's Ctrl+O and Ctrl+S are on keys that the list uses.
    const auto menuAction = [this](int id) {
        auto* action = window().findChild<QAction*>(QString::number(id));
        if (action == nullptr) {
            qFatal("no menu item %d", id);
        }
        return action;
    };
    QAction* open = menuAction(MainMenuTemplate::Load);
    QAction* save = menuAction(MainMenuTemplate::Save);
    QCOMPARE(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QSignalSpy opened(open, &QAction::triggered);
    QSignalSpy saved(save, &QAction::triggered);

    press(Qt::Key_O, Qt::ControlModifier);
    press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(opened.count(), 0);
    QCOMPARE(saved.count(), 0);
    QCOMPARE(int{sequencer().steps[0].flags}, 2);
    QCOMPARE(int{sequencer().steps[1].note}, 61);

    // Elsewhere in the window the shortcuts work.
    control<QPushButton>(Ids::SequencerOn).setFocus();
    press(Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(opened.count(), 1);
    QCOMPARE(int{sequencer().steps[2].flags}, 0);
}

void SequencerPageTest::enterAndEscapeStillReachTheWindow() {
    type("z");
    press(Qt::Key_Escape);
    press(Qt::Key_Return);
    // The window's generic step, twice; the list and the cursor stay.
    QCOMPARE(renders(), 3);
    QCOMPARE(app->player.plays, 2);
    QCOMPARE(page().cursor(), 1);
    QCOMPARE(int{sequencer().steps[1].note}, 0);
    QCOMPARE(QApplication::focusWidget(), &list());
}

void SequencerPageTest::noteEnvelopeStoresWithoutRendering() {
    sequencer().enabled = 1;
    app->editor.markSaved();
    QScrollBar& attack = control<QScrollBar>(Ids::AttackBar);
    attack.setSliderDown(true);
    attack.setSliderPosition(attack.maximum());
    attack.setSliderDown(false);
    QCOMPARE(int{sequencer().attack}, 100);
    QCOMPARE(control<QLineEdit>(Ids::AttackText).text(), "100");
    QCOMPARE(attack.value(), 100);

    QScrollBar& decay = control<QScrollBar>(Ids::DecayBar);
    decay.triggerAction(QAbstractSlider::SliderPageStepAdd);
    decay.triggerAction(QAbstractSlider::SliderPageStepAdd);
    decay.triggerAction(QAbstractSlider::SliderPageStepAdd);
    decay.triggerAction(QAbstractSlider::SliderPageStepAdd);
    decay.triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(int{sequencer().decay}, 100);
    QCOMPARE(control<QLineEdit>(Ids::DecayText).text(), "100");
    QCOMPARE(int{sequencer().attack}, 100);

    QCOMPARE(renders(), 1);
    QCOMPARE(app->player.plays, 0);
    QVERIFY(window().isWindowModified());
}

void SequencerPageTest::onRendersAndPlaysWhatWasTyped() {
    type("a"); // not a key of the table
    type("zq");
    QCOMPARE(renders(), 1);
    // The notes enter the sample with the next render: "On" brings it about.
    QTest::mouseClick(&control<QPushButton>(Ids::SequencerOn), Qt::LeftButton);
    QCOMPARE(int{sequencer().enabled}, 1);
    QVERIFY(control<QPushButton>(Ids::SequencerOn).isChecked());
    QCOMPARE(renders(), 2);
    QCOMPARE(app->player.plays, 1);
    QCOMPARE(sequencer().frequencyCurve[0], Sequencer::noteFrequency(60));
    const std::size_t secondStep = static_cast<std::size_t>(patch().sampleCount() / 16);
    QCOMPARE(sequencer().frequencyCurve[secondStep], Sequencer::noteFrequency(72));

    QTest::mouseClick(&control<QPushButton>(Ids::SequencerOn), Qt::LeftButton);
    QCOMPARE(int{sequencer().enabled}, 0);
    QCOMPARE(renders(), 3);
    QCOMPARE(app->player.plays, 2);
}

void SequencerPageTest::rebuildShowsAReplacedPatch() {
    type("zxc");
    sequencer().steps[0] = {69, SequencerStep::Slide};
    sequencer().steps[1] = {0, 0};
    sequencer().steps[2] = {0, 0};
    sequencer().steps[15] = {72, SequencerStep::MarkU};
    sequencer().attack = 42;
    sequencer().enabled = 1;

    window().refreshFromPatch();

    QCOMPARE(row(0), "A_ 5     S _ _   #1");
    QCOMPARE(row(1), "____     _ _ _   #2");
    QCOMPARE(row(15), "C_ 6     _ U _   #16");
    QCOMPARE(page().cursor(), 0);
    QCOMPARE(highlighted(), -1);
    QCOMPARE(control<QLineEdit>(Ids::AttackText).text(), "42");
    QVERIFY(control<QPushButton>(Ids::SequencerOn).isChecked());
    type("d");
    QCOMPARE(int{sequencer().steps[0].note}, 63);
    QCOMPARE(int{sequencer().steps[0].flags}, int{SequencerStep::Slide});
}

} // namespace kilosynth

QTEST_MAIN(kilosynth::SequencerPageTest)
#include "SequencerPageTest.moc"
