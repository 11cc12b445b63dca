#pragma once

#include "sample_buffer.h"

namespace assetgen {

// The sounds of play: the throw and its charge, the frag bouncing and striking, the
// blast, a bad guy's end and the frag called back.
class GameSoundArt {
public:
    SampleBuffer Throw() const;      // a whoosh
    SampleBuffer Bounce() const;     // a thud with a metal clank
    SampleBuffer Strike() const;     // a meaty bonk
    SampleBuffer Explosion() const;  // a crack over a falling rumble
    SampleBuffer Kill() const;       // a falling cartoon squeal
    SampleBuffer Recall() const;     // a soft puff of air
    // A steady hum of whole cycles only, so it loops without a seam; the game bends its pitch.
    SampleBuffer Charge() const;

    static constexpr double kChargeSeconds = 0.5;
    static constexpr int kChargeHz = 330;  // 165 cycles in the loop
};

}  // namespace assetgen
