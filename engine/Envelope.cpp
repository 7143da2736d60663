#include "engine/Envelope.h"

#include "engine/Constants.h"
#include "engine/Patch.h"

#include <algorithm>

namespace kilosynth {

Envelope::Envelope(Patch& owner) : Generator(owner), buffer(MaxSamples) {
    restoreDefaults();
}

void Envelope::restoreDefaults() {
    enabled = 0;
    delay = 0;
    attack = 0;
    hold = 0;
    decay = 255;
    sustain = 0;
    level = 0;
    release = 0;
    amp = 255;
    basePoint = 1;
    std::fill(buffer.begin(), buffer.end(), 0.0f);
}

double Envelope::sampleAt(std::int32_t index) const {
    return buffer[static_cast<std::size_t>(index)];
}

namespace {

// Writes the contour front to back and stops for good once the buffer's
// sample count is reached, cutting or dropping segments that do not fit.
class ContourWriter {
public:
    ContourWriter(std::vector<float>& out, int count) : buffer(out), n(count) {}

    bool full() const { return i >= n; }

    // Writes `samples` copies of a constant.
    void constant(int samples, float value) {
        for (int k = 0; k < samples && !full(); ++k) {
            buffer[static_cast<std::size_t>(i++)] = value;
        }
    }

    // A linear ramp from the accumulator: the step is a float, the
    // accumulator a double, and both matter for the exact samples.
    void ramp(int samples, float step, double& v) {
        for (int k = 0; k < samples && !full(); ++k) {
            buffer[static_cast<std::size_t>(i++)] = static_cast<float>(v);
            v = v + double{step};
        }
    }

private:
    std::vector<float>& buffer;
    int n;
    int i = 0;
};

} // namespace

void Envelope::render() {
    if (enabled == 0) {
        return;
    }
    const int blocks = patch.blockCount();
    const int n = blocks * BlockSize;

    const int delayLength = (delay * n) / 255;
    const int attackLength = attack * blocks * 4 + 1;
    const auto holdLength = static_cast<int>(double(hold) * double(n) * double{ByteScale});
    const int decayLength = decay * blocks * 4 + 1;
    const auto sustainLength = static_cast<int>(double(sustain) * double(n) * double{ByteScale});
    const int releaseLength = release * blocks * 4 + 1;

    const auto base = static_cast<float>(double(basePoint) * double{ByteScale});
    const auto sustainValue = static_cast<float>(double(level) * double{ByteScale});
    double peak = double(amp) * double{ByteScale};
    if (double{base} + peak > 1.0) {
        peak = 1.0 - double{base}; // keeps the top of the attack at or below 1
    }

    ContourWriter out(buffer, n);
    out.constant(delayLength, base);

    double v = base;
    out.ramp(attackLength, static_cast<float>(peak / attackLength), v);
    out.constant(holdLength, static_cast<float>(v));
    out.ramp(decayLength, static_cast<float>((double{sustainValue} - v) / decayLength), v);
    out.constant(sustainLength, static_cast<float>(v));
    out.ramp(releaseLength, static_cast<float>((double{base} - v) / releaseLength), v);
    out.constant(n, base);
}

} // namespace kilosynth
