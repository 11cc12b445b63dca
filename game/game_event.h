#pragma once

#include <cstdint>

// Something that happened in the game that a player may hear, feel or count. The rules
// report each one once, where it happens; they never ask anything back.
enum class GameEventType : int32_t {
    MenuMove,    // the highlight moved to another item
    MenuChoose,  // an item was chosen (after it took effect)
    MenuBack,    // back from Options to the main menu
    Charge,      // the throw's power rose; value: the power (0..0.6)
    ChargeEnd,   // charging stopped: the throw, or the game screen left while charging
    Throw,       // the frag left the hand; value: the power
    Bounce,      // the thrown frag hit something other than a bad guy; value: speed, m/s
    Strike,      // the frag struck a bad guy hard enough to score
    Explosion,   // the frag went off
    Kill,        // bad guys killed by one explosion; value: how many
    Recall,      // the frag was called back in flight
    Win,         // the game was won
    Lose         // the game was lost
};

// Where: screen pixels (x from the left, y from the top, 960 x 544), where it applies.
struct GameEvent {
    GameEventType type = GameEventType::MenuMove;
    float x = 0.0f;
    float y = 0.0f;
    float value = 0.0f;
};

class GameEventListener {
public:
    virtual ~GameEventListener() = default;
    virtual void OnGameEvent(const GameEvent& event) = 0;
};
