#include "frag_bounce_listener.h"

#include "body_tag.h"
#include "frag.h"
#include "game_events.h"

void FragBounceListener::BeginContact(b2Contact* contact) {
    if (!frag_.thrown || !frag_.body) {
        return;
    }
    b2Body* a = contact->GetFixtureA()->GetBody();
    b2Body* b = contact->GetFixtureB()->GetBody();
    b2Body* other = a == frag_.body ? b : (b == frag_.body ? a : nullptr);
    if (!other || GetBodyTag(other) == BodyTag::BadGuy) {
        return;
    }
    const float speed = frag_.body->GetLinearVelocity().Length();
    events_.Report(GameEventType::Bounce, frag_.sprite.position.x, frag_.sprite.position.y,
                   speed);
}
