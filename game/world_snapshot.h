#pragma once

#include <cstdio>

class b2World;

// The state of every body of a world as text, one line a body in the world's own order:
// position, angle, linear and angular velocity, each as the hexadecimal bits of its float.
// Two worlds that stepped alike give the same bytes, whatever C library printed them, so
// platforms can be compared bit for bit with a plain file comparison.
class WorldSnapshot {
public:
    // A failed write shows in the stream's error flag, for the caller to check.
    static void Write(const b2World& world, std::FILE* out);
};
