#include "frag.h"

#include <cmath>

#include "body_tag.h"
#include "ray_cast_closest_callback.h"
#include "vela/maths/portable_math.h"

namespace {

const b2Vec2 kHoldPosition(-4.0f, 0.99f);
constexpr int32_t kRayCount = 60;
constexpr double kDegreesToRadians = 0.017453277777777776;  // 3.14159 / 180
constexpr float kRayLength = 1.0f;
constexpr float kBlastStrength = 0.025f;
constexpr float kShortestImpulseDistance = 1.1920929e-7f;
const b2Vec2 kGraveyard(-100.0f, 0.0f);

}  // namespace

void Frag::Throw(float angle, float power) {
    fuse = fuseLength;
    const b2Vec2 impulse(static_cast<float>(-1.5 * power * vela::PortableCos(angle)),
                         static_cast<float>(power * vela::PortableSin(angle) + power));
    body->ApplyLinearImpulse(impulse, body->GetWorldCenter(), true);
    body->SetAngularVelocity(-5.0f);
    thrown = true;
}

void Frag::Reset() {
    fuse = fuseLength;
    thrown = false;
    body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
    body->SetAngularVelocity(0.0f);
}

void Frag::Update() {
    if (thrown) {
        fuse -= 1;
    } else {
        body->SetTransform(kHoldPosition, 0.0f);
        body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
        body->SetAngularVelocity(0.0f);
    }
    UpdateFromSimulation();
}

int32_t Frag::Explode(const b2Vec2& centre, b2World* world) {
    int32_t kills = 0;
    for (int32_t k = 0; k < kRayCount; ++k) {
        const float degrees = static_cast<float>(k) / 60.0f * 360.0f;
        const float a = static_cast<float>(degrees * kDegreesToRadians);
        // Ray 0 points up, ray 15 right.
        const b2Vec2 end(centre.x + kRayLength * static_cast<float>(vela::PortableSin(a)),
                         centre.y + kRayLength * static_cast<float>(vela::PortableCos(a)));
        RayCastClosestCallback callback;
        world->RayCast(&callback, centre, end);
        if (!callback.fixture || !(callback.fraction > 0.0f && callback.fraction < 1.0f)) {
            continue;
        }

        b2Body* hit = callback.body;
        if (GetBodyTag(hit) == BodyTag::BadGuy) {
            // Moving it away takes it out of the later rays at once: it counts once.
            hit->SetTransform(kGraveyard, 0.0f);
            kills += 1;
        }

        const b2Vec2 d = callback.point - centre;
        const float length = static_cast<float>(std::sqrt(double(d.x * d.x + d.y * d.y)));
        if (length < kShortestImpulseDistance) {
            continue;
        }
        const b2Vec2 direction(d.x / length, d.y / length);
        if (hit->GetType() == b2_dynamicBody) {
            const float inverse = 1.0f / length;
            hit->ApplyLinearImpulse(kBlastStrength * inverse * inverse * direction, callback.point,
                                    true);
        }
    }
    Reset();
    return kills;
}

Frag CreateFrag(float x, float y, b2World* world) {
    Frag frag;
    static_cast<GameObject&>(frag) = CreateDynamicBody(x, y, world);
    // Continuous collision, so a fast frag does not pass through thin walls.
    frag.body->SetBullet(true);
    b2CircleShape circle;
    circle.m_radius = 0.12f;
    b2FixtureDef def;
    def.shape = &circle;
    def.friction = 0.2f;
    def.restitution = 0.3f;
    def.density = 2.0f;
    frag.body->CreateFixture(&def);
    SetBodyTag(frag.body, BodyTag::Frag);
    frag.body->SetLinearDamping(0.25f);
    frag.thrown = false;
    frag.fuse = Frag::kFuseTicks;
    frag.fuseLength = Frag::kFuseTicks;
    return frag;
}
