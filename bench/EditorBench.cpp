#include "tests/support/PatchFixtures.h"
#include "tests/ui/FakePlayer.h"
#include "tests/ui/ScriptedDialogs.h"
#include "ui/Editor.h"
#include "ui/MainWindow.h"
#include "ui/TabPage.h"
#include "ui/resources/EnvelopePageTemplate.h"
#include "ui/resources/MainDialogTemplate.h"

#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>

namespace kilosynth {
namespace {

// Where a scroll bar is: the main panel, or one of the tab pages.
constexpr int MainPanel = -1;

// One line step on a scroll bar, from the bar's action to the end of the
// render step that follows: the binding stores and shows the value, the whole
// Patch is rendered and the pictures redrawn; the main panel also starts
// playback (on a player that plays nothing, so the sound card is not
// measured), the envelope page redraws its graph as well and plays nothing.
void scrollStep(benchmark::State& state, void (*make)(Patch&), int page, int barId) {
    test::FakePlayer player;
    test::ScriptedDialogs dialogs;
    Editor editor(player, dialogs);
    make(editor.patch);
    MainWindow& window = editor.mainWindow();
    window.refreshFromPatch();
    const QWidget& parent = page == MainPanel ? *window.centralWidget() : window.page(page);
    auto* bar = parent.findChild<QScrollBar*>(QString::number(barId), Qt::FindDirectChildrenOnly);
    bool up = true;
    for (auto _ : state) {
        bar->triggerAction(up ? QAbstractSlider::SliderSingleStepAdd
                              : QAbstractSlider::SliderSingleStepSub);
        up = !up;
    }
    if (editor.renderCount() < static_cast<int>(state.iterations())) {
        state.SkipWithError("a scroll step did not render");
    }
}

void BM_ScrollStepStartupPatch(benchmark::State& state) {
    scrollStep(state, test::makeStartupPatch, MainPanel, MainDialogTemplate::FrequencyBar);
}
void BM_ScrollStepHeavyPatch(benchmark::State& state) {
    scrollStep(state, test::makeHeavyPatch, MainPanel, MainDialogTemplate::FrequencyBar);
}
void BM_EnvelopeStepStartupPatch(benchmark::State& state) {
    scrollStep(state, test::makeStartupPatch, 1, EnvelopePageTemplate::AttackBar);
}
void BM_EnvelopeStepHeavyPatch(benchmark::State& state) {
    scrollStep(state, test::makeHeavyPatch, 1, EnvelopePageTemplate::AttackBar);
}

BENCHMARK(BM_ScrollStepStartupPatch)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ScrollStepHeavyPatch)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_EnvelopeStepStartupPatch)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_EnvelopeStepHeavyPatch)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace kilosynth

int main(int argc, char** argv) {
    // Widgets need an application; no screen is needed to measure them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
