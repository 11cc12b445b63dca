#pragma once

#include <box2d/box2d.h>

#include "vela/graphics/sprite.h"

// Screen pixels per metre; the physics origin is the middle of the screen's bottom edge.
constexpr float kPixelsPerMetre = 100.0f;
constexpr float kScreenCentreX = 480.0f;
constexpr float kScreenBottomY = 544.0f;

// A sprite that follows a Box2D body. The world owns the body: copies share it and
// nothing here destroys it.
struct GameObject {
    vela::Sprite sprite;
    b2Body* body = nullptr;

    // Sprite position and rotation from the body; size, colour, UVs and texture stay.
    void UpdateFromSimulation();
};

// Static box of full size width x height (metres) with its sprite placed once.
GameObject CreateStaticBox(float x, float y, float width, float height, b2World* world);
// A dynamic body without shapes: the base of the movable objects.
GameObject CreateDynamicBody(float x, float y, b2World* world);
GameObject CreateCrate(float x, float y, b2World* world);
// Box for the body and a circle for the head, both on the body origin.
GameObject CreateBadGuy(float x, float y, b2World* world);
