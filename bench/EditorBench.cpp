#include "tests/support/PatchFixtures.h"
#include "tests/ui/FakePlayer.h"
#include "tests/ui/ScriptedDialogs.h"
#include "ui/Editor.h"
#include "ui/MainWindow.h"
#include "ui/resources/MainDialogTemplate.h"

#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>

namespace kilosynth {
namespace {

// One Frequency line step, from the scroll bar's action to the end of
// renderAndPlay: the binding stores and shows the value, the whole Patch is
// rendered, the sample view redrawn and playback started (on a player that
// plays nothing, so the sound card is not measured).
void scrollStep(benchmark::State& state, void (*make)(Patch&)) {
    test::FakePlayer player;
    test::ScriptedDialogs dialogs;
    Editor editor(player, dialogs);
    make(editor.patch);
    editor.mainWindow().refreshFromPatch();
    auto* bar = editor.mainWindow().centralWidget()->findChild<QScrollBar*>(
        QString::number(MainDialogTemplate::FrequencyBar), Qt::FindDirectChildrenOnly);
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
    scrollStep(state, test::makeStartupPatch);
}
void BM_ScrollStepHeavyPatch(benchmark::State& state) {
    scrollStep(state, test::makeHeavyPatch);
}

BENCHMARK(BM_ScrollStepStartupPatch)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ScrollStepHeavyPatch)
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
