#include "vela/core/application.h"

namespace vela {

Application::Application(Platform& platform_) : platform(platform_), running(true) {}

void Application::Run() {
    Init();
    // Starts the platform's clock, so the first measurement covers only the first frame.
    platform.GetFrameTime();

    const float kStep = 1.0f / 60.0f;
    float dt = kStep;
    while (running) {
        running = platform.Update();
        if (!running) {
            break;
        }
        // A frame longer than a tenth of a second (a stall, a dragged window) counts as one
        // normal frame instead of a leap.
        const float step = dt > 0.1f ? kStep : dt;
        running = Update(step);
        // Drawn even when Update asked to stop, so the last frame is seen.
        platform.PreRender();
        Render();
        platform.PostRender();
        dt = platform.GetFrameTime();
    }
    CleanUp();
}

}  // namespace vela
