#pragma once

#include <cstddef>

#include "vela/maths/matrix44.h"

namespace vela {

/// Proves, from the sprites' data alone, that a run of sprites would pass the depth test
/// everywhere, so it can be drawn without it and its depth written later.
///
/// After a clear to the far plane, a sprite passes the less-or-equal test wherever it
/// lands if it is no farther than every sprite drawn since the clear. With an orthographic
/// projection a sprite's depth is the same at every pixel and grows (or shrinks) with its z
/// in float arithmetic too, so comparing z values is enough: the runs since the clear must
/// come in non-increasing depth order under one projection. Anything else (a perspective
/// projection, a z that could make a NaN, a farther sprite) is refused, and the caller
/// draws with the depth test as it always did.
class DepthOrder {
public:
    /// Forgets every run: the depth buffer was cleared to `clear_depth` (0..1).
    void Restart(float clear_depth);
    /// Admits nothing until the next Restart: the depth buffer is no longer known.
    void Stop() { active_ = false; }
    /// Whether runs are being admitted.
    bool Active() const { return active_; }

    /// True, and the run is counted as drawn, when every sprite of the run (data matrices as
    /// BuildSpriteData makes them, drawn with `projection` as the shader receives it) passes
    /// the depth test against the clear and every run admitted before.
    bool Admit(const Matrix44& projection, const Matrix44* sprites, size_t count);

    /// Sprites admitted since the last Restart.
    size_t AdmittedSprites() const { return admitted_; }

    /// Beyond this many sprites since the clear, runs are refused: their data is kept to
    /// write their depth later, and that memory is bounded.
    static constexpr size_t kMaxSprites = size_t{1} << 18;

private:
    bool active_ = false;
    bool have_projection_ = false;
    // The projection's depth row (z scale, offset) and w, all runs since the clear share.
    float z_scale_ = 0.0f;
    float z_offset_ = 0.0f;
    float w_ = 0.0f;
    // The last admitted sprite's order key: its z, turned so that a larger key is farther.
    float bound_ = 0.0f;
    bool have_bound_ = false;
    size_t admitted_ = 0;
};

}  // namespace vela
