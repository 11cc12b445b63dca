#pragma once

#include <box2d/box2d.h>

// Keeps the closest fixture a ray meets: each report clips the ray at that hit, so only
// nearer fixtures are reported afterwards. One callback serves one ray.
class RayCastClosestCallback : public b2RayCastCallback {
public:
    float ReportFixture(b2Fixture* fixture, const b2Vec2& point, const b2Vec2& normal,
                        float fraction) override;

    b2Fixture* fixture = nullptr;
    b2Body* body = nullptr;
    b2Vec2 point{0.0f, 0.0f};
    b2Vec2 normal{0.0f, 0.0f};
    float fraction = 0.0f;
};
