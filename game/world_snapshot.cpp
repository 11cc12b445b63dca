#include "world_snapshot.h"

#include <cstdint>
#include <cstring>

#include <box2d/box2d.h>

namespace {

uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

void WorldSnapshot::Write(const b2World& world, std::FILE* out) {
    std::fprintf(out,
                 "# bodies: %d, one a line as float bits: x y angle vx vy "
                 "angular_velocity\n",
                 int(world.GetBodyCount()));
    for (const b2Body* body = world.GetBodyList(); body; body = body->GetNext()) {
        const b2Vec2& p = body->GetPosition();
        const b2Vec2& v = body->GetLinearVelocity();
        std::fprintf(out, "%08x %08x %08x %08x %08x %08x\n", unsigned(Bits(p.x)),
                     unsigned(Bits(p.y)), unsigned(Bits(body->GetAngle())), unsigned(Bits(v.x)),
                     unsigned(Bits(v.y)), unsigned(Bits(body->GetAngularVelocity())));
    }
}
