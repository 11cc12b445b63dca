#pragma once

#include "controller_record.h"

// What the player asks for in one update, whichever device asked (pad, keys, the touch
// pad, the mouse): the rules read only this.
struct PlayerIntent {
    float aimX = 0.0f;        // the aim as a stick: -1 left .. 1 right; both 0 at rest
    float aimY = 0.0f;        // -1 up .. 1 down
    bool chargeHeld = false;  // hold to charge
    bool throwNow = false;    // let go: throw
    bool recall = false;      // call a frag in flight back
    bool menuUp = false;      // move the highlight up
    bool menuDown = false;    // move the highlight down
    bool menuChoose = false;  // choose the highlighted item
    bool menuBack = false;    // back from Options

    // Controller 0's record of the update: cross is charge, throw and choose, triangle
    // recall and back, the d-pad moves, the left stick aims. A failed read (a negative
    // status) keeps what is held, but its edges are old news: acting on them again would
    // repeat a press every update while the pad is gone.
    static PlayerIntent FromRecord(const ControllerRecord& record);
};
