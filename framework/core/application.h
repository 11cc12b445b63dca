#pragma once

#include "vela/core/platform.h"

namespace vela {

/// Base class of a program: fill in the four operations and call Run, which owns the
/// frame loop. The platform must outlive the application.
class Application {
public:
    /// Keeps a reference to `platform`, which must outlive the application.
    explicit Application(Platform& platform);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    virtual ~Application() = default;

    /// Called once by Run before the first frame: create what the program draws with.
    virtual void Init() = 0;
    /// Called once by Run after the last frame: delete what Init created.
    virtual void CleanUp() = 0;
    /// One logic step; returning false ends the loop after this frame has been drawn.
    virtual bool Update(float frame_time) = 0;
    /// Draws one frame, between the platform's PreRender and PostRender.
    virtual void Render() = 0;

    /// Init, then frames of platform step, Update, PreRender, Render, PostRender until
    /// the platform reports quit or Update returns false, then CleanUp.
    void Run();

    /// The platform the application was made with.
    Platform& GetPlatform() const { return platform; }

protected:
    Platform& platform;  ///< the platform the application runs on
    bool running;        ///< true while Run's frame loop goes on
};

}  // namespace vela
