#pragma once

#include <cstdint>

#include <box2d/box2d.h>

// The kind of a body, kept as the number itself in the body's user data. A body whose
// tag was never set reads as Frag (0); every factory sets one.
enum class BodyTag : int32_t { Frag = 0, BadGuy = 1, Crate = 2, Scenery = 3 };

inline void SetBodyTag(b2Body* body, BodyTag tag) {
    body->GetUserData().pointer = static_cast<uintptr_t>(tag);
}

inline BodyTag GetBodyTag(b2Body* body) {
    return static_cast<BodyTag>(static_cast<int32_t>(body->GetUserData().pointer));
}
