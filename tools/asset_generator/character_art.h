#pragma once

#include "canvas.h"
#include "painter.h"

namespace assetgen {

// Where the hurler's joints are, in the 80 x 104 units of one animation frame.
struct HurlerPose {
    Vec2 head;        // centre of the head
    Vec2 neck, hips;  // the torso runs between them
    Vec2 near_shoulder, near_elbow, near_hand;
    Vec2 far_shoulder, far_elbow, far_hand;
    Vec2 back_knee, back_foot, front_knee, front_foot;
    bool near_hand_open = false;
    bool swoosh = false;      // motion lines behind the throwing arm
    float mouth_open = 0.0f;  // 0 smile .. 1 shout
};

// The player character and the bad guy. The Draw functions paint into the painter's
// current transform, so the screens reuse them at other sizes.
class CharacterArt {
public:
    static HurlerPose ReadyPose();  // arm back, frag at (10, 32)
    static HurlerPose ThrowPose();  // arm whipped forward
    static HurlerPose CheerPose();  // both arms up (for the win screen)

    static void DrawHurler(Painter& p, const HurlerPose& pose);
    // Facing left; 48 x 96 units. `gloat` opens the mouth in a laugh.
    static void DrawBadGuy(Painter& p, bool gloat);

    Canvas Hurler() const;  // 2 frames: ready, throw
    Canvas BadGuy() const;
};

}  // namespace assetgen
