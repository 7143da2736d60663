#include "ui/EffectsPage.h"

#include "engine/Patch.h"
#include "ui/Editor.h"
#include "ui/MainWindow.h"
#include "ui/resources/EffectsPageTemplate.h"
#include "ui/widgets/CheckButtonAdapter.h"
#include "ui/widgets/LineEditAdapter.h"
#include "ui/widgets/ScrollBarAdapter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <array>

namespace kilosynth {

namespace {

using Ids = EffectsPageTemplate;

// The largest resonance frequency the page offers, in units of 1/2.55 Hz.
constexpr float MaximumResonanceFreq = 32767.0f;

// Each modulatable parameter's source box and the Patch field it writes.
struct SourceField {
    int comboId;
    ModSource Patch::*field;
};
constexpr std::array<SourceField, 6> SourceFields{{
    {Ids::VolumeSourceCombo, &Patch::volumeSource},
    {Ids::LimitSourceCombo, &Patch::limitSource},
    {Ids::WrapSourceCombo, &Patch::wrapSource},
    {Ids::CutoffSourceCombo, &Patch::cutoffSource},
    {Ids::ResonanceFreqSourceCombo, &Patch::resonanceFreqSource},
    {Ids::ResoSourceCombo, &Patch::resoSource},
}};

} // namespace

EffectsPage::EffectsPage(Editor& owner, MainWindow& mainWindow, QWidget* parent)
    : TabPage(parent), editor(owner), window(mainWindow) {
    controls = buildPage(EffectsPageTemplate::get());
    createBindings();
    connectSourceCombos();
}

EffectsPage::~EffectsPage() = default;

void EffectsPage::createBindings() {
    Patch& patch = editor.patch;
    const auto onScrollMessage = [this](const Control* source, ScrollRequest request,
                                        std::uint16_t thumb) { onScroll(source, request, thumb); };
    const auto push = [this](ControlBinding& binding) { editor.bindings.pushFront(binding); };
    const auto row = [&](auto& field, float maximum, int textId, int barId) {
        auto& text = *new LineEditAdapter(controls.get<QLineEdit>(textId));
        auto& bar = *new ScrollBarAdapter(controls.get<QScrollBar>(barId), onScrollMessage);
        push(*scrollBindings.emplace_back(
            std::make_unique<ScrollBinding>(field, maximum, text, bar)));
    };
    const auto onOff = [&](std::uint8_t mask, int id) {
        auto& box = *new CheckButtonAdapter(controls.get<QCheckBox>(id),
                                            [this](const Control* source) { onCommand(source); });
        push(*checkBindings.emplace_back(std::make_unique<CheckBinding>(patch.effects, mask, box)));
    };

    row(patch.volume, 255.0f, Ids::VolumeText, Ids::VolumeBar);
    row(patch.limit, 255.0f, Ids::LimitText, Ids::LimitBar);
    row(patch.wrap, 255.0f, Ids::WrapText, Ids::WrapBar);
    row(patch.cutoff, 255.0f, Ids::CutoffText, Ids::CutoffBar);
    row(patch.resonanceFreq, MaximumResonanceFreq, Ids::ResonanceFreqText, Ids::ResonanceFreqBar);
    row(patch.reso, 255.0f, Ids::ResoText, Ids::ResoBar);
    onOff(Patch::ResonanceOn, Ids::ResonanceOn);
    row(patch.delayTime, 255.0f, Ids::DelayTimeText, Ids::DelayTimeBar);
    row(patch.delayLevel, 255.0f, Ids::DelayLevelText, Ids::DelayLevelBar);
    onOff(Patch::DelayOn, Ids::DelayOn);
    row(patch.flangerDelay, 255.0f, Ids::FlangerDelayText, Ids::FlangerDelayBar);
    row(patch.flangerRate, 255.0f, Ids::FlangerRateText, Ids::FlangerRateBar);
    onOff(Patch::FlangerOn, Ids::FlangerOn);
}

void EffectsPage::connectSourceCombos() {
    for (const SourceField& source : SourceFields) {
        connect(&controls.get<QComboBox>(source.comboId), &QComboBox::activated, this,
                [this, field = source.field](int entry) { onSourcePicked(field, entry); });
    }
}

std::vector<SourceCombo> EffectsPage::sourceCombos() {
    std::vector<SourceCombo> combos;
    for (const SourceField& source : SourceFields) {
        combos.push_back({&controls.get<QComboBox>(source.comboId), &(editor.patch.*source.field)});
    }
    combos.push_back({&controls.get<QComboBox>(Ids::DelayTimeSourceCombo), nullptr});
    combos.push_back({&controls.get<QComboBox>(Ids::DelayLevelSourceCombo), nullptr});
    return combos;
}

void EffectsPage::onCommand(const Control* source) {
    for (const auto& binding : checkBindings) {
        binding->onCommand(source);
    }
    window.renderAndPlay();
    editor.patchEdited();
}

void EffectsPage::onScroll(const Control* source, ScrollRequest request,
                           std::uint16_t thumbPosition) {
    for (const auto& binding : scrollBindings) {
        binding->onScroll(source, request, thumbPosition);
    }
    window.renderAndPlay();
    editor.patchEdited();
}

void EffectsPage::onSourcePicked(ModSource Patch::*field, int entry) {
    // A pick always names an entry; a negative one would name no source.
    if (entry < 0) {
        return;
    }
    // Entry 0, "none", stores -1 (0xFF).
    editor.patch.*field = static_cast<ModSource>(entry - 1);
    window.renderAndPlay();
    editor.patchEdited();
}

} // namespace kilosynth
