#pragma once

#include "oscillator.h"
#include "sample_buffer.h"

namespace assetgen {

// How an instrument sounds: a waveform, how a note swells and dies away, how bright it is.
struct Timbre {
    Waveform wave = Waveform::Triangle;
    double attack = 0.005;  // seconds to full level
    double decay = 0.0;     // seconds for the level to fall by e while held; 0 holds
    double release = 0.03;  // seconds to silence after the note ends
    double cutoff = 0.0;    // low-pass in Hz; 0 leaves the wave as it is
    double vibrato_hz = 0.0;
    double vibrato_depth = 0.0;  // semitones each way
    double vibrato_delay = 0.0;  // seconds before the vibrato starts to grow
};

// Plays notes of one timbre into a buffer; jingles and the music are built from these.
class Instrument {
public:
    explicit Instrument(const Timbre& timbre) : timbre_(timbre) {}
    // A note of `hz` held for `seconds` from `start`, its tail (the release) after that.
    void Play(SampleBuffer& out, double start, double seconds, double hz, float gain) const;
    // The same with the pitch gliding from `from_hz` to `to_hz` over the held part.
    void Glide(SampleBuffer& out, double start, double seconds, double from_hz, double to_hz,
               float gain) const;

private:
    Timbre timbre_;
};

}  // namespace assetgen
