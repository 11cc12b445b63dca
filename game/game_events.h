#pragma once

#include <vector>

#include "game_event.h"

// Hands each reported event to every listener, in the order they were added. Listeners
// are not owned and must outlive their membership.
class GameEvents {
public:
    void Add(GameEventListener* listener);
    void Remove(GameEventListener* listener);
    void Report(GameEventType type, float x = 0.0f, float y = 0.0f, float value = 0.0f) const;

private:
    std::vector<GameEventListener*> listeners_;
};
