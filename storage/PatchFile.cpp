#include "storage/PatchFile.h"

#include "storage/LittleEndian.h"

#include <charconv>
#include <ostream>

namespace kilosynth {

namespace {

// Written as the first byte; the reader skips whatever is there.
constexpr std::uint8_t LeadingByte = 38;
// The writer always stores 44100 Hz.
constexpr std::uint8_t WrittenRateCode = 3;
constexpr std::uint8_t HighestRateCode = 3;
constexpr double LowestRate = 5512.5;

constexpr std::uint8_t LengthMask = 0x7F;
constexpr std::uint8_t SequencerOnBit = 0x80;
constexpr int StoredSteps = 16;

constexpr std::size_t HeaderSize = 6;
constexpr std::size_t SequencerSectionSize = 2 + 2 * StoredSteps;
constexpr std::size_t EnvelopeRecordSize = 9;
constexpr std::size_t OscillatorRecordSize = 7;
constexpr std::size_t MasterRecordSize = 6;
constexpr std::size_t ResonanceRecordSize = 6;
constexpr std::size_t DelayRecordSize = 2;
constexpr std::size_t FlangerRecordSize = 2;

// A 4-bit source code holds the ModSource plus one: 0 none, 1..8 env1..env8,
// 9..15 osc1..osc7. osc8 and the sequencer do not fit.
constexpr ModSource HighestStorableSource = 14;

// The enable mask: env1 is bit 15 down to env8 at bit 8, osc1 is bit 7 down
// to osc8 at bit 0.
constexpr std::uint16_t envelopeBit(std::size_t k) {
    return std::uint16_t(1u << (15 - k));
}
constexpr std::uint16_t oscillatorBit(std::size_t k) {
    return std::uint16_t(1u << (7 - k));
}

// Which optional sections a file holds, as its header announces them.
struct Sections {
    std::uint16_t enableMask = 0;
    bool sequencerOn = false;
    std::uint8_t effects = 0;

    std::size_t fileSize() const {
        std::size_t size = HeaderSize + MasterRecordSize;
        if (sequencerOn) {
            size += SequencerSectionSize;
        }
        for (std::size_t k = 0; k < EnvelopeCount; ++k) {
            if ((enableMask & envelopeBit(k)) != 0) {
                size += EnvelopeRecordSize;
            }
        }
        for (std::size_t k = 0; k < OscillatorCount; ++k) {
            if ((enableMask & oscillatorBit(k)) != 0) {
                size += OscillatorRecordSize;
            }
        }
        if ((effects & Patch::ResonanceOn) != 0) {
            size += ResonanceRecordSize;
        }
        if ((effects & Patch::DelayOn) != 0) {
            size += DelayRecordSize;
        }
        if ((effects & Patch::FlangerOn) != 0) {
            size += FlangerRecordSize;
        }
        return size;
    }
};

Sections sectionsOf(const Patch& patch) {
    Sections sections;
    for (std::size_t k = 0; k < EnvelopeCount; ++k) {
        if (patch.envelopes[k]->enabled != 0) {
            sections.enableMask |= envelopeBit(k);
        }
    }
    for (std::size_t k = 0; k < OscillatorCount; ++k) {
        if (patch.oscillators[k]->enabled != 0) {
            sections.enableMask |= oscillatorBit(k);
        }
    }
    sections.sequencerOn = patch.sequencer->enabled != 0;
    sections.effects = patch.effects;
    return sections;
}

bool isStorable(ModSource source) {
    // Every negative source means none, and none is storable.
    return source <= HighestStorableSource;
}

// The 4-bit code of a source; a source the format cannot hold is stored as
// none (unstorableFields names it). Any negative value is none, so it is
// stored as none too rather than as whatever its low bits would give.
std::uint8_t sourceCode(ModSource source) {
    if (source < 0 || !isStorable(source)) {
        return 0;
    }
    return static_cast<std::uint8_t>(source + 1);
}

ModSource sourceFromCode(unsigned code) {
    return static_cast<ModSource>(static_cast<int>(code) - 1);
}

std::uint8_t sourcePair(ModSource high, ModSource low) {
    return static_cast<std::uint8_t>((sourceCode(high) << 4) | sourceCode(low));
}

std::string sourceName(ModSource source) {
    if (source >= FirstOscillatorSource && source < FirstOscillatorSource + OscillatorCount) {
        return "osc" + std::to_string(source - FirstOscillatorSource + 1);
    }
    if (source == SequencerSource) {
        return "sequencer";
    }
    return "source " + std::to_string(source);
}

std::string formatNumber(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string plural(std::size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// Reads consecutive bytes; the caller has checked that they are all there.
class ByteCursor {
public:
    ByteCursor(std::span<const std::uint8_t> data, std::size_t start) : data_(data), at_(start) {}

    std::uint8_t byte() { return data_[at_++]; }
    std::uint16_t word() {
        const auto value = le::readU16(data_, at_);
        at_ += 2;
        return value;
    }
    float single() {
        const auto value = le::readF32(data_, at_);
        at_ += 4;
        return value;
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t at_;
};

} // namespace

std::vector<std::uint8_t> encodePatch(const Patch& patch) {
    const Sections sections = sectionsOf(patch);
    std::vector<std::uint8_t> out;
    out.reserve(sections.fileSize());

    le::appendU8(out, LeadingByte);
    le::appendU16(out, sections.enableMask);
    // A length beyond the buffers renders as MaxLength; store what is heard.
    const auto length = static_cast<std::uint8_t>(patch.blockCount());
    le::appendU8(out,
                 static_cast<std::uint8_t>(length | (sections.sequencerOn ? SequencerOnBit : 0)));
    le::appendU8(out, WrittenRateCode);
    le::appendU8(out, patch.effects);

    if (sections.sequencerOn) {
        const Sequencer& sequencer = *patch.sequencer;
        le::appendU8(out, sequencer.attack);
        le::appendU8(out, sequencer.decay);
        for (std::size_t i = 0; i < StoredSteps; ++i) {
            le::appendU8(out, sequencer.steps[i].note);
            le::appendU8(out, sequencer.steps[i].flags);
        }
    }
    for (const auto& envelope : patch.envelopes) {
        if (envelope->enabled == 0) {
            continue;
        }
        for (const std::uint8_t value :
             {envelope->delay, envelope->attack, envelope->hold, envelope->decay, envelope->sustain,
              envelope->level, envelope->release, envelope->amp, envelope->basePoint}) {
            le::appendU8(out, value);
        }
    }
    for (const auto& oscillator : patch.oscillators) {
        if (oscillator->enabled == 0) {
            continue;
        }
        le::appendU8(out, oscillator->flags);
        le::appendF32(out, oscillator->frequency);
        le::appendU8(out, oscillator->amplitude);
        le::appendU8(out, sourcePair(oscillator->frequencySource, oscillator->amplitudeSource));
    }

    // Byte +0: wrap (high nibble) and cutoff; byte +1: volume and limit.
    le::appendU8(out, sourcePair(patch.wrapSource, patch.cutoffSource));
    le::appendU8(out, sourcePair(patch.volumeSource, patch.limitSource));
    le::appendU8(out, patch.volume);
    le::appendU8(out, patch.limit);
    le::appendU8(out, patch.wrap);
    le::appendU8(out, patch.cutoff);

    if ((patch.effects & Patch::ResonanceOn) != 0) {
        le::appendF32(out, patch.resonanceFreq);
        le::appendU8(out, patch.reso);
        le::appendU8(out, sourcePair(patch.resonanceFreqSource, patch.resoSource));
    }
    if ((patch.effects & Patch::DelayOn) != 0) {
        le::appendU8(out, patch.delayTime);
        le::appendU8(out, patch.delayLevel);
    }
    if ((patch.effects & Patch::FlangerOn) != 0) {
        le::appendU8(out, patch.flangerRate);
        le::appendU8(out, patch.flangerDelay);
    }
    return out;
}

void writePatch(const Patch& patch, std::ostream& out) {
    const std::vector<std::uint8_t> bytes = encodePatch(patch);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::size_t patchFileSize(const Patch& patch) {
    return sectionsOf(patch).fileSize();
}

std::vector<std::string> unstorableFields(const Patch& patch) {
    std::vector<std::string> fields;
    const auto check = [&fields](const std::string& field, ModSource source) {
        if (!isStorable(source)) {
            fields.push_back(field + " source (" + sourceName(source) + ")");
        }
    };

    if (patch.length > MaxLength) {
        fields.push_back("sample length " + std::to_string(patch.length) + " blocks (stored as " +
                         std::to_string(MaxLength) + ")");
    }
    if (patch.rate != 44100.0f) {
        fields.push_back("sample rate " + formatNumber(patch.rate) + " Hz (stored as 44100 Hz)");
    }
    for (std::size_t k = 0; k < OscillatorCount; ++k) {
        const Oscillator& oscillator = *patch.oscillators[k];
        if (oscillator.enabled == 0) {
            continue; // an oscillator that is off is not stored at all
        }
        const std::string name = "osc" + std::to_string(k + 1);
        check(name + " frequency", oscillator.frequencySource);
        check(name + " amplitude", oscillator.amplitudeSource);
    }
    check("volume", patch.volumeSource);
    check("limit", patch.limitSource);
    check("wrap", patch.wrapSource);
    check("cutoff", patch.cutoffSource);
    if ((patch.effects & Patch::ResonanceOn) != 0) {
        check("resonance frequency", patch.resonanceFreqSource);
        check("reso", patch.resoSource);
    }
    return fields;
}

ReadResult readPatch(Patch& patch, std::span<const std::uint8_t> data) {
    const auto refuse = [](std::string reason) { return ReadResult{false, std::move(reason)}; };

    // Everything is checked before the first field changes.
    if (data.empty()) {
        return refuse("file is empty");
    }
    if (data.size() < HeaderSize) {
        return refuse("file is only " + plural(data.size(), "byte") +
                      " long; the header alone takes " + std::to_string(HeaderSize));
    }
    const std::uint8_t lengthByte = data[3];
    const int length = lengthByte & LengthMask;
    if (length > MaxLength) {
        return refuse("sample length " + std::to_string(length) + " exceeds " +
                      std::to_string(MaxLength) + " blocks");
    }
    const std::uint8_t rateCode = data[4];
    if (rateCode > HighestRateCode) {
        return refuse("unknown sample-rate code " + std::to_string(rateCode));
    }
    const Sections sections{le::readU16(data, 1), (lengthByte & SequencerOnBit) != 0, data[5]};
    const std::size_t announced = sections.fileSize();
    if (data.size() < announced) {
        return refuse("file ends after " + plural(data.size(), "byte") + "; its header announces " +
                      std::to_string(announced));
    }

    // Skip the leading byte; bytes after the last section are ignored.
    ByteCursor in(data, 1);
    const std::uint16_t enableMask = in.word();
    for (std::size_t k = 0; k < EnvelopeCount; ++k) {
        patch.envelopes[k]->setEnabled((enableMask & envelopeBit(k)) != 0 ? 1 : 0);
    }
    for (std::size_t k = 0; k < OscillatorCount; ++k) {
        patch.oscillators[k]->setEnabled((enableMask & oscillatorBit(k)) != 0 ? 1 : 0);
    }
    patch.length = static_cast<std::uint8_t>(in.byte() & LengthMask);
    patch.sequencer->setEnabled(sections.sequencerOn ? 1 : 0);
    patch.rate = static_cast<float>(LowestRate * (1 << in.byte()));
    patch.effects = in.byte();

    if (sections.sequencerOn) {
        Sequencer& sequencer = *patch.sequencer;
        sequencer.attack = in.byte();
        sequencer.decay = in.byte();
        // Steps 17 to 64 and the step count are not in the file.
        for (std::size_t i = 0; i < StoredSteps; ++i) {
            sequencer.steps[i].note = in.byte();
            sequencer.steps[i].flags = in.byte();
        }
    }
    for (const auto& envelope : patch.envelopes) {
        if (envelope->enabled == 0) {
            continue;
        }
        for (std::uint8_t* field : {&envelope->delay, &envelope->attack, &envelope->hold,
                                    &envelope->decay, &envelope->sustain, &envelope->level,
                                    &envelope->release, &envelope->amp, &envelope->basePoint}) {
            *field = in.byte();
        }
    }
    for (const auto& oscillator : patch.oscillators) {
        if (oscillator->enabled == 0) {
            continue;
        }
        oscillator->flags = in.byte();
        oscillator->frequency = in.single();
        oscillator->amplitude = in.byte();
        const std::uint8_t sources = in.byte();
        oscillator->frequencySource = sourceFromCode(sources >> 4);
        oscillator->amplitudeSource = sourceFromCode(sources & 0x0Fu);
    }

    const std::uint16_t masterSources = in.word();
    patch.volumeSource = sourceFromCode((masterSources >> 12) & 0x0Fu);
    patch.limitSource = sourceFromCode((masterSources >> 8) & 0x0Fu);
    patch.wrapSource = sourceFromCode((masterSources >> 4) & 0x0Fu);
    patch.cutoffSource = sourceFromCode(masterSources & 0x0Fu);
    patch.volume = in.byte();
    patch.limit = in.byte();
    patch.wrap = in.byte();
    patch.cutoff = in.byte();

    if ((patch.effects & Patch::ResonanceOn) != 0) {
        patch.resonanceFreq = in.single();
        patch.reso = in.byte();
        const std::uint8_t sources = in.byte();
        patch.resonanceFreqSource = sourceFromCode(sources >> 4);
        patch.resoSource = sourceFromCode(sources & 0x0Fu);
    }
    if ((patch.effects & Patch::DelayOn) != 0) {
        patch.delayTime = in.byte();
        patch.delayLevel = in.byte();
    }
    if ((patch.effects & Patch::FlangerOn) != 0) {
        patch.flangerRate = in.byte();
        patch.flangerDelay = in.byte();
    }
    return {};
}

} // namespace kilosynth
