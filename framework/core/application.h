#pragma once

#include "core/platform.h"

namespace vela {

/// Base class of a program: fill in the four operations and call Run, which owns the
/// frame loop. The platform must outlive the application.
class Application {
public:
    explicit Application(Platform& platform);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    virtual ~Application() = default;

    virtual void Init() = 0;
    virtual void CleanUp() = 0;
    /// One logic step; returning false ends the loop after this frame has been drawn.
    virtual bool Update(float frame_time) = 0;
    virtual void Render() = 0;

    /// Init, then frames of platform step, Update, PreRender, Render, PostRender until
    /// the platform reports quit or Update returns false, then CleanUp.
    void Run();

    Platform& GetPlatform() const { return platform; }

protected:
    Platform& platform;
    bool running;
};

}  // namespace vela
