#pragma once

#include "sample_buffer.h"

namespace assetgen {

// The menu music: eight bars of a gentle chord progression with a bass, a plucked
// arpeggio, a soft pad, a quiet tick and a lead, made as a loop so notes that ring past
// the end carry on over the start.
class MusicArt {
public:
    static constexpr int kBeatsPerMinute = 96;
    static constexpr int kBars = 8;
    static constexpr int kBeatsPerBar = 4;
    static constexpr double kBeat = 60.0 / kBeatsPerMinute;
    static constexpr double kLoopSeconds = kBars * kBeatsPerBar * kBeat;  // 20 s

    SampleBuffer MenuLoop() const;

private:
    void Pad(SampleBuffer& out) const;
    void Arpeggio(SampleBuffer& out) const;
    void Bass(SampleBuffer& out) const;
    void Ticks(SampleBuffer& out) const;
    void Lead(SampleBuffer& out) const;
};

}  // namespace assetgen
