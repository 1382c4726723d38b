// The sound effects, synthesised from sines, sweeps and filtered noise.
#include "sounds.h"

#include "wav.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace {

constexpr double kTwoPi = 6.283185307179586;

// A small deterministic noise source so every build writes the same files.
class Noise {
public:
    float Next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return float(int32_t(state_)) / 2147483648.0f;
    }

private:
    uint32_t state_ = 12345;
};

// One-pole low-pass filter.
class LowPass {
public:
    explicit LowPass(double cutoffHz) : a_(1 - std::exp(-kTwoPi * cutoffHz / kSampleRate)) {}
    float operator()(float x)
    {
        y_ += float(a_ * (x - y_));
        return y_;
    }

private:
    double a_;
    float y_ = 0;
};

std::vector<float> Render(double seconds, const std::function<float(double)>& f)
{
    std::vector<float> out(size_t(seconds * kSampleRate));
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = f(double(i) / kSampleRate);
    }
    // Short fades so nothing clicks at the ends.
    const size_t fade = std::min<size_t>(out.size() / 4, 64);
    for (size_t i = 0; i < fade; ++i) {
        out[out.size() - 1 - i] *= float(i) / fade;
    }
    return out;
}

// Oscillator whose frequency may change per sample.
struct Osc {
    double phase = 0;
    double Sine(double hz)
    {
        phase += kTwoPi * hz / kSampleRate;
        return std::sin(phase);
    }
};

std::vector<float> Step()
{
    Osc o;
    Noise n;
    LowPass lp(400);
    return Render(0.18, [&](double t) {
        const double thump = o.Sine(55 + 70 * std::exp(-t * 30)) * std::exp(-t * 22);
        const double scuff = lp(n.Next()) * std::exp(-t * 60) * 2.5;
        return float(0.8 * thump + 0.5 * scuff);
    });
}

std::vector<float> Squint()
{
    Osc a, b;
    return Render(0.3, [&](double t) {
        const double hz = 1100 + 900 * (t / 0.3) + 60 * std::sin(kTwoPi * 28 * t);
        const double env = std::min(1.0, t / 0.01) * std::exp(-t * 6);
        return float(env * (0.45 * a.Sine(hz) + 0.15 * b.Sine(hz * 2)));
    });
}

std::vector<float> Blink()
{
    Osc o;
    Noise n;
    return Render(0.08, [&](double t) {
        const double tick = n.Next() * std::exp(-t * 900);
        const double tone = o.Sine(2600) * std::exp(-t * 90);
        const double second = t > 0.035 ? n.Next() * std::exp(-(t - 0.035) * 1200) * 0.6 : 0;
        return float(0.5 * tick + 0.35 * tone + 0.4 * second);
    });
}

std::vector<float> Boink()
{
    Osc a, b;
    return Render(0.7, [&](double t) {
        const double wobble = std::sin(kTwoPi * 14 * t) * std::exp(-t * 4);
        const double hz = 260 + 180 * wobble + 120 * std::exp(-t * 8);
        const double env = std::min(1.0, t / 0.005) * std::exp(-t * 4.5);
        return float(env * (0.55 * a.Sine(hz) + 0.2 * b.Sine(hz * 3)));
    });
}

std::vector<float> Gun()
{
    Osc zap;
    Noise n;
    LowPass lp(1800), body(250);
    return Render(0.6, [&](double t) {
        const double crack = lp(n.Next()) * std::exp(-t * 25) * 1.6;
        const double boom = body(n.Next()) * std::exp(-t * 9) * 3.0;
        const double hz = 150 + 1900 * std::exp(-t * 14);
        const double sweep = (zap.Sine(hz) > 0 ? 0.3 : -0.3) * std::exp(-t * 10);
        return float(0.55 * crack + 0.45 * boom + sweep);
    });
}

std::vector<float> Rico()
{
    Osc o, o2;
    Noise n;
    return Render(0.7, [&](double t) {
        const double hz = 900 + 2400 * std::exp(-t * 5) + 40 * std::sin(kTwoPi * 9 * t);
        const double env = std::min(1.0, t / 0.004) * std::exp(-t * 4);
        const double ping = n.Next() * std::exp(-t * 200);
        return float(env * (0.45 * o.Sine(hz) + 0.12 * o2.Sine(hz * 1.5)) + 0.5 * ping);
    });
}

std::vector<float> Scroll()
{
    Noise n;
    LowPass hi(6000), lo(900);
    Osc flutter;
    return Render(1.5, [&](double t) {
        const float x = n.Next();
        const double paper = hi(x) - lo(x);  // a papery band of noise
        const double rate = 32 - 18 * (t / 1.5);
        const double flap = 0.55 + 0.45 * std::fabs(flutter.Sine(rate));
        const double env = std::min(1.0, t / 0.05) * (t < 1.25 ? 1.0 : std::exp(-(t - 1.25) * 14));
        const double snap = t > 1.22 ? n.Next() * std::exp(-(t - 1.22) * 90) * 0.8 : 0;
        return float(1.4 * env * flap * paper + snap);
    });
}

}  // namespace

bool WriteSounds(const QString& dir)
{
    const std::pair<const char*, std::vector<float> (*)()> sounds[] = {
        {"z_step.wav", Step},   {"z_squint.wav", Squint}, {"z_blink.wav", Blink}, {"z_boink.wav", Boink},
        {"z_gun.wav", Gun},     {"z_rico.wav", Rico},     {"z_scroll.wav", Scroll},
    };
    for (const auto& [name, make] : sounds) {
        if (!WriteWav(dir + QLatin1Char('/') + QLatin1String(name), make())) {
            return false;
        }
    }
    return true;
}
