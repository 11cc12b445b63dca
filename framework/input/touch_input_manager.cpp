#include "vela/input/touch_input_manager.h"

namespace vela {

void TouchInputManager::AdvanceTouch(Touch& touch, int32_t index, bool down,
                                     const Vector2& cursor) {
    if (down) {
        touch.id = index;
        // Released is only one frame old here: the button went down again, a new touch.
        touch.type = (touch.type == TouchType::None || touch.type == TouchType::Released)
                         ? TouchType::New
                         : TouchType::Active;
        touch.position = cursor;
        return;
    }
    if (touch.type == TouchType::New || touch.type == TouchType::Active) {
        touch.type = TouchType::Released;
        touch.position = cursor;
    } else {
        touch.type = TouchType::None;
    }
}

}  // namespace vela
