#pragma once

#include <memory>

#include "vela/core/create_platform.h"
#include "vela/core/platform_relay.h"
#include "vela/core/program_options.h"
#include "vela/graphics/image_data.h"

namespace vela {

class Application;
class FrameCapture;

/// Runs a program with the options every program shares (parsed by CommandLine): it makes the
/// platform of the build, stops after --frames, pins the frame time with --fixed-step and saves the
/// last frame for --screenshot. The application is made on GetPlatform, then given to Run:
///
///     vela::ProgramRunner runner(options);
///     if (!runner.Start()) return 1;
///     MyGame game(runner.GetPlatform());
///     return runner.Run(game);
class ProgramRunner {
public:
    /// Keeps a reference to `options`, which must outlive the runner.
    explicit ProgramRunner(const ProgramOptions& options);
    ~ProgramRunner();
    ProgramRunner(const ProgramRunner&) = delete;
    ProgramRunner& operator=(const ProgramRunner&) = delete;

    /// Makes the platform of this build. False when it can't start (it has said why).
    /// Inline, so that the program's own link brings in its host library's CreatePlatform.
    bool Start() {
        owned_platform_ = CreatePlatform(options_.window);
        if (!owned_platform_) {
            return false;
        }
        Attach(*owned_platform_);
        return true;
    }
    /// Runs on a platform of the caller's instead; its frames are read through `capture`,
    /// or through the platform itself when it can read them and `capture` is null.
    void Attach(Platform& platform, FrameCapture* capture = nullptr);
    /// Runs on a relay of the caller's, which may add hooks of its own.
    void Attach(PlatformRelay& relay, FrameCapture* capture);

    /// What the application must be made on.
    Platform& GetPlatform() const { return *relay_; }
    /// Runs the application to its end and saves the screenshot: 0, or 1 when the
    /// screenshot could not be saved (said on standard error).
    int Run(Application& application);

private:
    void SetUp();
    bool SaveShot();

    const ProgramOptions& options_;
    std::unique_ptr<Platform> owned_platform_;
    std::unique_ptr<PlatformRelay> owned_relay_;
    PlatformRelay* relay_ = nullptr;
    FrameCapture* capture_ = nullptr;
    ImageData last_frame_;
    bool last_frame_read_ = false;
    bool shot_taken_ = false;
    bool shot_saved_ = true;
};

/// Saves a frame as an opaque PNG (a frame's alpha is whatever blending left behind).
/// False, with a message on standard error, when it can't be written.
bool SaveOpaqueFrame(ImageData& frame, const std::string& path);

}  // namespace vela
