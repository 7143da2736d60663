#include "cli/PatchDescription.h"

#include "storage/PatchFile.h"

#include <array>
#include <cstdio>

namespace kilosynth::cli {

namespace {

InfoNode describeSequencer(const Sequencer& sequencer) {
    InfoNode node = InfoNode::object();
    node.add("enabled", InfoNode::boolean(sequencer.enabled != 0));
    if (sequencer.enabled == 0) {
        return node;
    }
    node.add("attack", InfoNode::integer(sequencer.attack));
    node.add("decay", InfoNode::integer(sequencer.decay));
    InfoNode& steps = node.add("steps", InfoNode::list());
    for (std::size_t i = 0; i < 16; ++i) {
        const SequencerStep& step = sequencer.steps[i];
        InfoNode& item = steps.push(InfoNode::object());
        item.add("step", InfoNode::integer(static_cast<std::int64_t>(i + 1)));
        item.add("note", InfoNode::integer(step.note));
        item.add("name", InfoNode::text(noteName(step.note)));
        item.add("flags", InfoNode::integer(step.flags));
        item.add("slide", InfoNode::boolean((step.flags & SequencerStep::Slide) != 0));
    }
    return node;
}

InfoNode describeEnvelope(const Envelope& envelope) {
    InfoNode node = InfoNode::object();
    node.add("enabled", InfoNode::boolean(envelope.enabled != 0));
    if (envelope.enabled == 0) {
        return node;
    }
    const std::array<std::pair<const char*, std::uint8_t>, 9> fields = {{
        {"delay", envelope.delay},
        {"attack", envelope.attack},
        {"hold", envelope.hold},
        {"decay", envelope.decay},
        {"sustain", envelope.sustain},
        {"level", envelope.level},
        {"release", envelope.release},
        {"amp", envelope.amp},
        {"basePoint", envelope.basePoint},
    }};
    for (const auto& [name, value] : fields) {
        node.add(name, InfoNode::integer(value));
    }
    return node;
}

InfoNode describeOscillator(const Oscillator& oscillator) {
    InfoNode node = InfoNode::object();
    node.add("enabled", InfoNode::boolean(oscillator.enabled != 0));
    if (oscillator.enabled == 0) {
        return node;
    }
    node.add("waveType", InfoNode::text(waveTypeName(oscillator.flags)));
    node.add("modulator", InfoNode::boolean((oscillator.flags & Oscillator::Modulator) != 0));
    node.add("sequenced", InfoNode::boolean((oscillator.flags & Oscillator::Sequenced) != 0));
    node.add("invert", InfoNode::boolean((oscillator.flags & Oscillator::Invert) != 0));
    node.add("flags", InfoNode::integer(oscillator.flags));
    node.add("frequency", InfoNode::single(oscillator.frequency));
    node.add("frequencySource", InfoNode::text(sourceName(oscillator.frequencySource)));
    node.add("amplitude", InfoNode::integer(oscillator.amplitude));
    node.add("amplitudeSource", InfoNode::text(sourceName(oscillator.amplitudeSource)));
    return node;
}

InfoNode describeMaster(const Patch& patch) {
    InfoNode node = InfoNode::object();
    node.add("volume", InfoNode::integer(patch.volume));
    node.add("volumeSource", InfoNode::text(sourceName(patch.volumeSource)));
    node.add("limit", InfoNode::integer(patch.limit));
    node.add("limitSource", InfoNode::text(sourceName(patch.limitSource)));
    node.add("wrap", InfoNode::integer(patch.wrap));
    node.add("wrapSource", InfoNode::text(sourceName(patch.wrapSource)));
    node.add("cutoff", InfoNode::integer(patch.cutoff));
    node.add("cutoffSource", InfoNode::text(sourceName(patch.cutoffSource)));
    return node;
}

// Adds the three effect records to `root`.
void describeEffects(const Patch& patch, InfoNode& root) {
    InfoNode& resonance = root.add("resonance", InfoNode::object());
    resonance.add("enabled", InfoNode::boolean((patch.effects & Patch::ResonanceOn) != 0));
    if ((patch.effects & Patch::ResonanceOn) != 0) {
        resonance.add("resonanceFreq", InfoNode::single(patch.resonanceFreq));
        resonance.add("resonanceFreqSource", InfoNode::text(sourceName(patch.resonanceFreqSource)));
        resonance.add("reso", InfoNode::integer(patch.reso));
        resonance.add("resoSource", InfoNode::text(sourceName(patch.resoSource)));
    }
    InfoNode& delay = root.add("delay", InfoNode::object());
    delay.add("enabled", InfoNode::boolean((patch.effects & Patch::DelayOn) != 0));
    if ((patch.effects & Patch::DelayOn) != 0) {
        delay.add("delayTime", InfoNode::integer(patch.delayTime));
        delay.add("delayLevel", InfoNode::integer(patch.delayLevel));
    }
    InfoNode& flanger = root.add("flanger", InfoNode::object());
    flanger.add("enabled", InfoNode::boolean((patch.effects & Patch::FlangerOn) != 0));
    if ((patch.effects & Patch::FlangerOn) != 0) {
        flanger.add("flangerRate", InfoNode::integer(patch.flangerRate));
        flanger.add("flangerDelay", InfoNode::integer(patch.flangerDelay));
    }
}

// The fields a load leaves as they were: whatever is off, and what the
// format never stores.
InfoNode describeUnset(const Patch& patch) {
    InfoNode node = InfoNode::list();
    if (patch.sequencer->enabled == 0) {
        node.push(InfoNode::text("sequencer attack, decay and steps 1 to 16"));
    }
    node.push(InfoNode::text("sequencer steps 17 to 64 and stepCount"));
    for (std::size_t k = 0; k < EnvelopeCount; ++k) {
        if (patch.envelopes[k]->enabled == 0) {
            node.push(InfoNode::text("env" + std::to_string(k + 1)));
        }
    }
    for (std::size_t k = 0; k < OscillatorCount; ++k) {
        if (patch.oscillators[k]->enabled == 0) {
            node.push(InfoNode::text("osc" + std::to_string(k + 1)));
        }
    }
    if ((patch.effects & Patch::ResonanceOn) == 0) {
        node.push(InfoNode::text("resonance"));
    }
    if ((patch.effects & Patch::DelayOn) == 0) {
        node.push(InfoNode::text("delay"));
    }
    if ((patch.effects & Patch::FlangerOn) == 0) {
        node.push(InfoNode::text("flanger"));
    }
    return node;
}

} // namespace

std::string sourceName(ModSource source) {
    if (source < 0) {
        return "none";
    }
    if (source < FirstOscillatorSource) {
        return "env" + std::to_string(source - FirstEnvelopeSource + 1);
    }
    if (source < FirstOscillatorSource + OscillatorCount) {
        return "osc" + std::to_string(source - FirstOscillatorSource + 1);
    }
    if (source == SequencerSource) {
        return "sequencer";
    }
    return "source " + std::to_string(source);
}

std::string waveTypeName(std::uint8_t flags) {
    // The editor's own entries, "Noice" included.
    static constexpr std::array<const char*, 5> Names = {"Sine", "Saw", "Triangle", "Square",
                                                         "Noice"};
    const int type = flags & Oscillator::WaveTypeMask;
    if (type >= 1 && type <= 5) {
        return Names[static_cast<std::size_t>(type - 1)];
    }
    return "unknown " + std::to_string(type);
}

std::string noteName(std::uint8_t note) {
    if (note == 0) {
        return "rest";
    }
    static constexpr std::array<const char*, 12> Names = {"C_", "C#", "D_", "D#", "E_", "F_",
                                                          "F#", "G_", "G#", "A_", "A#", "B_"};
    char text[8];
    std::snprintf(text, sizeof text, "%s%2d", Names[note % 12], note / 12);
    return text;
}

InfoNode describePatchFile(const std::string& name, std::span<const std::uint8_t> bytes,
                           const Patch& patch) {
    InfoNode root = InfoNode::object();
    root.add("file", InfoNode::text(name));
    root.add("size", InfoNode::integer(static_cast<std::int64_t>(bytes.size())));
    root.add("leadingByte", InfoNode::integer(bytes[0]));
    root.add("length", InfoNode::integer(patch.length));
    root.add("samples", InfoNode::integer(patch.sampleCount()));
    root.add("rateCode", InfoNode::integer(bytes[4]));
    root.add("rate", InfoNode::single(patch.rate));
    root.add("effects", InfoNode::integer(patch.effects));
    root.add("sequencer", describeSequencer(*patch.sequencer));
    InfoNode& envelopes = root.add("envelopes", InfoNode::object());
    for (std::size_t k = 0; k < EnvelopeCount; ++k) {
        envelopes.add("env" + std::to_string(k + 1), describeEnvelope(*patch.envelopes[k]));
    }
    InfoNode& oscillators = root.add("oscillators", InfoNode::object());
    for (std::size_t k = 0; k < OscillatorCount; ++k) {
        oscillators.add("osc" + std::to_string(k + 1), describeOscillator(*patch.oscillators[k]));
    }
    root.add("master", describeMaster(patch));
    describeEffects(patch, root);
    root.add("unset", describeUnset(patch));
    root.add("trailingBytes",
             InfoNode::integer(static_cast<std::int64_t>(bytes.size() - patchFileSize(patch))));
    return root;
}

} // namespace kilosynth::cli
