#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetgen {

// A mono signal being synthesised: float samples at a fixed rate, mixed into and then
// brought to its final level. A looped buffer wraps what runs past its end round to the
// start, so tails ring on into the next pass and the loop point is seamless.
class SampleBuffer {
public:
    SampleBuffer(int rate, int frames, bool looped = false);
    // Silence of the given length, rounded to whole frames.
    static SampleBuffer Silence(int rate, double seconds, bool looped = false);

    int Rate() const { return rate_; }
    int Frames() const { return static_cast<int>(samples_.size()); }
    double Seconds() const { return static_cast<double>(Frames()) / rate_; }
    bool Looped() const { return looped_; }
    float operator[](int frame) const { return samples_[static_cast<std::size_t>(frame)]; }
    // The frame at a time from the start, rounded down.
    int FrameAt(double seconds) const;

    // Outside the buffer a value is dropped, unless the buffer loops.
    void Add(int frame, float value);
    // Another buffer of the same rate, `gain` times, starting at `seconds`.
    void Mix(const SampleBuffer& other, double seconds, float gain);

    float Peak() const;
    double Mean() const;
    void Scale(float gain);
    // Scales so the largest magnitude is `peak` (a silent buffer stays silent).
    void NormaliseTo(float peak);
    // Half-cosine ramps from and to silence, so playback starts and stops without a click.
    void Fade(double in_seconds, double out_seconds);
    // Takes out the offset and anything below about 20 Hz, which only wastes headroom.
    void RemoveDc();

    // Rounded to the nearest step and clamped, as written to a file.
    std::vector<int16_t> ToPcm16() const;

private:
    int rate_;
    bool looped_;
    std::vector<float> samples_;
};

}  // namespace assetgen
