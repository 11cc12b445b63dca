#include "game_events.h"

#include <algorithm>

void GameEvents::Add(GameEventListener* listener) {
    if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
        listeners_.push_back(listener);
    }
}

void GameEvents::Remove(GameEventListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener),
                     listeners_.end());
}

void GameEvents::Report(GameEventType type, float x, float y, float value) const {
    GameEvent event;
    event.type = type;
    event.x = x;
    event.y = y;
    event.value = value;
    for (GameEventListener* listener : listeners_) {
        listener->OnGameEvent(event);
    }
}
