#include "game_object.h"

#include "body_tag.h"

void GameObject::UpdateFromSimulation() {
    if (!body) {
        return;
    }
    const b2Vec2& p = body->GetPosition();
    sprite.position.x = kPixelsPerMetre * p.x + kScreenCentreX;
    sprite.position.y = kScreenBottomY - kPixelsPerMetre * p.y;
    sprite.position.z = 0.0f;
    sprite.rotation = -body->GetAngle();
}

GameObject CreateStaticBox(float x, float y, float width, float height, b2World* world) {
    b2BodyDef def;
    def.type = b2_staticBody;
    def.position.Set(x, y);
    GameObject object;
    object.body = world->CreateBody(&def);

    b2PolygonShape box;
    box.SetAsBox(width * 0.5f, height * 0.5f);
    // Density 0 here keeps Box2D's default friction (0.2) and restitution (0).
    object.body->CreateFixture(&box, 0.0f);
    SetBodyTag(object.body, BodyTag::Scenery);

    // Static bodies never move: place the sprite once.
    object.sprite.width = kPixelsPerMetre * width;
    object.sprite.height = kPixelsPerMetre * height;
    object.sprite.position = vela::Vector3(kPixelsPerMetre * x + kScreenCentreX,
                                           kScreenBottomY - kPixelsPerMetre * y, 0.0f);
    return object;
}

GameObject CreateDynamicBody(float x, float y, b2World* world) {
    b2BodyDef def;
    def.type = b2_dynamicBody;
    def.position.Set(x, y);
    GameObject object;
    object.body = world->CreateBody(&def);
    return object;
}

static void AddFixture(b2Body* body, const b2Shape& shape, float friction, float restitution,
                       float density) {
    b2FixtureDef def;
    def.shape = &shape;
    def.friction = friction;
    def.restitution = restitution;
    def.density = density;
    body->CreateFixture(&def);
}

GameObject CreateCrate(float x, float y, b2World* world) {
    GameObject object = CreateDynamicBody(x, y, world);
    b2PolygonShape box;
    box.SetAsBox(0.22f, 0.22f);
    AddFixture(object.body, box, 0.7f, 0.2f, 0.75f);
    SetBodyTag(object.body, BodyTag::Crate);
    return object;
}

GameObject CreateBadGuy(float x, float y, b2World* world) {
    GameObject object = CreateDynamicBody(x, y, world);
    b2PolygonShape box;
    box.SetAsBox(0.18f, 0.48f);
    AddFixture(object.body, box, 0.7f, 0.2f, 0.75f);
    b2CircleShape head;
    head.m_radius = 0.25f;
    AddFixture(object.body, head, 0.7f, 0.2f, 0.75f);
    SetBodyTag(object.body, BodyTag::BadGuy);
    return object;
}
