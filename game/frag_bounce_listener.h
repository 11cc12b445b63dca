#pragma once

#include <box2d/box2d.h>

struct Frag;
class GameEvents;

// Reports the thrown frag's bounces as Bounce events: a new contact between the frag in
// flight and anything but a bad guy (hitting one is a strike, reported where it scores).
class FragBounceListener : public b2ContactListener {
public:
    FragBounceListener(const Frag& frag, const GameEvents& events)
        : frag_(frag), events_(events) {}

    void BeginContact(b2Contact* contact) override;

private:
    const Frag& frag_;
    const GameEvents& events_;
};
