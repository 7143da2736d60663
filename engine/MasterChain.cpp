#include "engine/MasterChain.h"

#include "engine/Constants.h"
#include "engine/Conversion.h"
#include "engine/Patch.h"

#include <algorithm>
#include <cmath>

namespace kilosynth {

namespace {

float single(double v) {
    return static_cast<float>(v);
}

// Parameters scaled from the Patch's bytes once per render.
struct ChainParameters {
    explicit ChainParameters(const Patch& p, int n)
        : limit(single(p.limit * double{ByteScale} * 10.0)),
          wrap(single(double{single(p.wrap * double{ByteScale})} * 20.0)),
          cut(single(std::sqrt(double{single(p.cutoff * double{ByteScale})}))),
          freq(single(double{single(double{p.resonanceFreq} * double{ByteScale})} * 100.0)),
          reso(single(double{single(p.reso * double{ByteScale})} * 50.0)),
          volume(single(p.volume * double{VolumeScale})), delayLength(25 * p.delayTime + 1),
          delayLevel(single(p.delayLevel * double{ByteScale})),
          flangerRate(n > 0 ? single(p.flangerRate * 0.05 / n) : 0.0f),
          flangerDepth(single(p.flangerDelay * 0.25)) {}

    float limit;
    float wrap;
    float cut;
    float freq; // Hz
    float reso;
    float volume;
    int delayLength; // samples
    float delayLevel;
    float flangerRate;  // radians per sample
    float flangerDepth; // samples
};

// Overdrive (pre-gain and hard clip) and a triangle wave folder of period 4.
void overdriveAndWrap(Patch& p, const ChainParameters& q, int n) {
    float* mix = p.mix.data();
    for (int i = 0; i < n; ++i) {
        const double x = mix[i];
        const double g = p.modulate(q.limit, p.limitSource, i);
        const float y = single(clampUnit(x * (g + 1.0)));
        const double h = p.modulate(q.wrap, p.wrapSource, i);
        const double w = std::fabs((h + 1.0) * double{y} + 1.0);
        double a = std::fmod(w, 2.0);
        // The parity of trunc(w / 2). Beyond the int64 range (or for NaN and
        // infinity) the half is even, so the fold is left as it is.
        const double half = w * 0.5;
        const bool odd = half < 9.2e18 && (static_cast<std::int64_t>(half) & 1) != 0;
        if (odd) {
            a = 2.0 - a;
        }
        mix[i] = single(clampUnit(a - 1.0));
    }
}

// One-pole low-pass; the first sample always becomes 0.
void lowPass(Patch& p, const ChainParameters& q, int n) {
    float* mix = p.mix.data();
    mix[0] = 0.0f;
    for (int i = 1; i < n; ++i) {
        const double x = mix[i];
        const double c = p.modulate(q.cut, p.cutoffSource, i);
        mix[i] = single((double{mix[i - 1]} - x) * c + x);
    }
}

// Two-state resonant low-pass. A frequency or resonance of 0 divides by zero
// and turns the rest of the signal into NaN, which the volume stage clamps.
void resonance(Patch& p, const ChainParameters& q, int n) {
    float* mix = p.mix.data();
    const double sqrt2 = std::sqrt(2.0);
    const double rate = p.rate;
    float s0 = 0.0f; // rate of change
    float s1 = 0.0f; // output
    for (int i = 0; i < n; ++i) {
        const double x = mix[i];
        const float f = single(p.modulate(q.freq, p.resonanceFreqSource, i));
        const double r = p.modulate(q.reso, p.resoSource, i);
        const double c = std::cos((double{f} * TwoPi) / rate);
        const double k = 2.0 - 2.0 * c;
        const double v = k * (x - double{s1}) + double{s0};
        s0 = single(v);
        s1 = single(v + double{s1});
        mix[i] = s1;
        const double d = single(c - 1.0);
        const double factor = (sqrt2 * std::sqrt(-(d * d * d)) + r * d) / (r * d);
        s0 = single(double{s0} * factor);
    }
}

// Feedback delay: y[i] = x[i] + level * y[i - length]. The line starts from
// silence at every render.
void feedbackDelay(Patch& p, const ChainParameters& q, int n, std::vector<float>& line) {
    float* mix = p.mix.data();
    const int length = q.delayLength;
    std::fill_n(line.begin(), length, 0.0f);
    for (int i = 0; i < n; ++i) {
        const double x = mix[i];
        float& slot = line[static_cast<std::size_t>(i % length)];
        const double d = slot; // read before it is overwritten
        slot = single((x + d) * double{q.delayLevel});
        mix[i] = single(d + x);
    }
}

// In-place flanger whose tap sweeps with a sine over the whole sample. The
// last sample is never processed, so a tap never reads past it.
void flanger(Patch& p, const ChainParameters& q, int n) {
    if (n - 1 <= 0) {
        return;
    }
    float* mix = p.mix.data();
    for (int i = 0; i < n - 1; ++i) {
        const double x = mix[i];
        const double t = i - (std::sin(i * double{q.flangerRate}) + 1.0) * double{q.flangerDepth};
        // t never exceeds i; the bounds also keep the conversion defined.
        const float tap = t >= 0.0 ? std::min(single(t), static_cast<float>(i)) : 0.0f;
        const int j = static_cast<int>(tap);
        const double phi = std::fmod(double{tap}, 1.0);
        const double a = mix[j];
        const double b = mix[j + 1];
        mix[i] = single(((b - a) * phi + a + x) * 0.5);
    }
}

void outputVolume(Patch& p, const ChainParameters& q, int n) {
    float* mix = p.mix.data();
    for (int i = 0; i < n; ++i) {
        const float base = single(double{mix[i]} * double{q.volume});
        mix[i] = single(clampUnit(p.modulate(base, p.volumeSource, i)));
    }
}

} // namespace

MasterChain::MasterChain() : delayLine(MaxDelayLength) {}

void MasterChain::run(Patch& patch) {
    const int n = patch.sampleCount();
    const ChainParameters q(patch, n);

    overdriveAndWrap(patch, q, n);
    lowPass(patch, q, n);
    if ((patch.effects & Patch::ResonanceOn) != 0) {
        resonance(patch, q, n);
    }
    if ((patch.effects & Patch::DelayOn) != 0) {
        feedbackDelay(patch, q, n, delayLine);
    }
    if ((patch.effects & Patch::FlangerOn) != 0) {
        flanger(patch, q, n);
    }
    outputVolume(patch, q, n);
}

} // namespace kilosynth
