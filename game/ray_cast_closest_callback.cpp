#include "ray_cast_closest_callback.h"

float RayCastClosestCallback::ReportFixture(b2Fixture* hit_fixture, const b2Vec2& hit_point,
                                            const b2Vec2& hit_normal, float hit_fraction) {
    fixture = hit_fixture;
    body = hit_fixture->GetBody();
    point = hit_point;
    normal = hit_normal;
    fraction = hit_fraction;
    return hit_fraction;
}
