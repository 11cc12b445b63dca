#include "vela/core/program_runner.h"

#include <cstdio>

#include "vela/core/application.h"
#include "vela/graphics/frame_capture.h"
#include "vela/graphics/png_writer.h"

namespace vela {

ProgramRunner::ProgramRunner(const ProgramOptions& options) : options_(options) {}

// The relay goes before the platform it relays to.
ProgramRunner::~ProgramRunner() {
    owned_relay_.reset();
    owned_platform_.reset();
}

void ProgramRunner::Attach(Platform& platform, FrameCapture* capture) {
    owned_relay_.reset(new PlatformRelay(platform));
    Attach(*owned_relay_, capture ? capture : dynamic_cast<FrameCapture*>(&platform));
}

void ProgramRunner::Attach(PlatformRelay& relay, FrameCapture* capture) {
    relay_ = &relay;
    capture_ = capture;
    SetUp();
}

void ProgramRunner::SetUp() {
    relay_->SetFrameLimit(options_.frames);
    relay_->SetFixedFrameTime(options_.fixed_step);
    last_frame_read_ = false;
    shot_taken_ = false;
    shot_saved_ = true;
    if (options_.screenshot.empty()) {
        return;
    }
    if (capture_) {
        capture_->KeepFramesReadable();
    }
    if (options_.frames > 0) {
        relay_->SetLastFrameHook([this] {
            shot_saved_ = SaveShot();
            shot_taken_ = true;
        });
        return;
    }
    // Without a frame limit the last frame is known only once the window has closed, when
    // a shown frame is gone: keep each frame as it is drawn and save the last.
    relay_->SetFrameHook(
        [this] { last_frame_read_ = capture_ && capture_->ReadFrame(last_frame_); });
}

bool ProgramRunner::SaveShot() {
    ImageData frame;
    if (!capture_ || !capture_->ReadFrame(frame)) {
        std::fprintf(stderr, "%s: could not read the frame for %s\n", options_.program.c_str(),
                     options_.screenshot.c_str());
        return false;
    }
    return SaveOpaqueFrame(frame, options_.screenshot);
}

int ProgramRunner::Run(Application& application) {
    application.Run();
    if (!options_.screenshot.empty() && !shot_taken_) {
        shot_saved_ =
            last_frame_read_ ? SaveOpaqueFrame(last_frame_, options_.screenshot) : SaveShot();
    }
    if (!options_.screenshot.empty() && shot_saved_) {
        std::printf("%s: saved %s\n", options_.program.c_str(), options_.screenshot.c_str());
        std::fflush(stdout);
    }
    return shot_saved_ ? 0 : 1;
}

bool SaveOpaqueFrame(ImageData& frame, const std::string& path) {
    const int64_t count = int64_t(frame.width) * frame.height;
    for (int64_t i = 0; i < count; ++i) {
        frame.pixels[i * 4 + 3] = 255;
    }
    return PNGWriter::Save(path.c_str(), frame);
}

}  // namespace vela
