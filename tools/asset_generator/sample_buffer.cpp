#include "sample_buffer.h"

#include <algorithm>
#include <cmath>

#include "filter.h"

namespace assetgen {

SampleBuffer::SampleBuffer(int rate, int frames, bool looped)
    : rate_(rate), looped_(looped), samples_(static_cast<size_t>(std::max(frames, 0)), 0.0f) {}

SampleBuffer SampleBuffer::Silence(int rate, double seconds, bool looped) {
    return SampleBuffer(rate, static_cast<int>(std::lround(seconds * rate)), looped);
}

int SampleBuffer::FrameAt(double seconds) const {
    return static_cast<int>(std::floor(seconds * rate_));
}

void SampleBuffer::Add(int frame, float value) {
    const int n = Frames();
    if (looped_ && n > 0) {
        frame %= n;
        if (frame < 0) {
            frame += n;
        }
    } else if (frame < 0 || frame >= n) {
        return;
    }
    samples_[static_cast<size_t>(frame)] += value;
}

void SampleBuffer::Mix(const SampleBuffer& other, double seconds, float gain) {
    const int start = FrameAt(seconds);
    for (int i = 0; i < other.Frames(); ++i) {
        Add(start + i, other[i] * gain);
    }
}

float SampleBuffer::Peak() const {
    float peak = 0.0f;
    for (float s : samples_) {
        peak = std::max(peak, std::fabs(s));
    }
    return peak;
}

double SampleBuffer::Mean() const {
    double sum = 0.0;
    for (float s : samples_) {
        sum += s;
    }
    return samples_.empty() ? 0.0 : sum / static_cast<double>(samples_.size());
}

void SampleBuffer::Scale(float gain) {
    for (float& s : samples_) {
        s *= gain;
    }
}

void SampleBuffer::NormaliseTo(float peak) {
    const float now = Peak();
    if (now > 0.0f) {
        Scale(peak / now);
    }
}

void SampleBuffer::Fade(double in_seconds, double out_seconds) {
    const double pi = 3.14159265358979323846;
    const int n = Frames();
    const int in = std::min(n, static_cast<int>(std::lround(in_seconds * rate_)));
    const int out = std::min(n, static_cast<int>(std::lround(out_seconds * rate_)));
    for (int i = 0; i < in; ++i) {
        samples_[static_cast<size_t>(i)] *= static_cast<float>(0.5 - 0.5 * std::cos(pi * i / in));
    }
    // The last frame lands on zero.
    for (int i = 0; i < out; ++i) {
        samples_[static_cast<size_t>(n - 1 - i)] *=
            static_cast<float>(0.5 - 0.5 * std::cos(pi * i / out));
    }
}

void SampleBuffer::RemoveDc() {
    StateVariableFilter filter(rate_);
    filter.Tune(20.0, 0.7071);
    // A loop has no start: one pass settles the filter on its end so the second pass
    // joins up.
    if (looped_) {
        for (float s : samples_) {
            filter.Process(s);
        }
    }
    for (float& s : samples_) {
        s = filter.Process(s).high;
    }
}

std::vector<int16_t> SampleBuffer::ToPcm16() const {
    std::vector<int16_t> pcm;
    pcm.reserve(samples_.size());
    for (float s : samples_) {
        const long v = std::lround(static_cast<double>(s) * 32767.0);
        pcm.push_back(static_cast<int16_t>(std::clamp(v, -32768L, 32767L)));
    }
    return pcm;
}

}  // namespace assetgen
