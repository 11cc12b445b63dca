#pragma once

#include "asset_writer.h"

namespace assetgen {

// Every sound the game plays, synthesised and written under the names it loads.
class SoundSet {
public:
    // Vorbis quality of the music: small enough to ship, clean at its quiet level.
    static constexpr float kMusicQuality = 0.2f;

    void Write(AssetWriter& writer) const;
};

}  // namespace assetgen
