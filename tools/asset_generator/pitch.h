#pragma once

#include <cmath>

namespace assetgen {

// Equal-tempered pitch of a MIDI note number (69 is A4, 440 Hz; 60 is middle C).
inline double NoteHz(double note) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

}  // namespace assetgen
