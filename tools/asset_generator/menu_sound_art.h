#pragma once

#include "sample_buffer.h"

namespace assetgen {

// The sounds around play: moving through and choosing in the menus, and the jingles of
// the win and lose screens.
class MenuSoundArt {
public:
    SampleBuffer Move() const;    // a soft blip
    SampleBuffer Choose() const;  // two bright notes up
    SampleBuffer Back() const;    // a blip falling
    SampleBuffer Win() const;     // a major arpeggio up to a ringing chord
    SampleBuffer Lose() const;    // a sad trombone sliding down
};

}  // namespace assetgen
