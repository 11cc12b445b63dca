#include "game_session.h"

#include <cstdint>
#include <memory>
#include <utility>

#include "graphics/frame_capture.h"
#include "graphics/image_data.h"
#include "graphics/png_writer.h"
#include "platform_harness.h"
#include "recording_controller_input_manager.h"
#include "replay_controller_input_manager.h"
#include "sprite_application.h"

GameSession::GameSession(GameOptions options) : options_(std::move(options)) {}

GameSession::~GameSession() {
    if (record_file_)
        std::fclose(record_file_);
}

bool GameSession::Open() {
    std::string error;
    if (!options_.replay.empty() &&
        !ReplayControllerInputManager::LoadFile(options_.replay.c_str(), replay_, error)) {
        std::fprintf(stderr, "game: %s\n", error.c_str());
        return false;
    }
    if (!options_.record.empty()) {
        record_file_ = std::fopen(options_.record.c_str(), "w");
        if (!record_file_) {
            std::fprintf(stderr, "game: cannot write the record file %s\n",
                         options_.record.c_str());
            return false;
        }
    }
    return true;
}

int GameSession::Run(vela::Platform& platform, vela::FrameCapture& capture) {
    PlatformHarness harness(platform);
    harness.SetFrameLimit(options_.frames);
    harness.SetFixedFrameTime(options_.fixedStep);
    const bool replaying = !options_.replay.empty();
    if (replaying || record_file_) {
        harness.SetControllerFactory(
            [this, replaying](vela::Platform& inner) -> vela::SonyControllerInputManager* {
                vela::SonyControllerInputManager* source =
                    replaying ? new ReplayControllerInputManager(std::move(replay_))
                              : inner.CreateSonyControllerInputManager();
                if (!record_file_)
                    return source;
                // The recording manager closes the file when the game deletes it.
                std::FILE* out = record_file_;
                record_file_ = nullptr;
                return new RecordingControllerInputManager(source, out);
            });
    }
    const std::string& screenshot = options_.screenshot;
    bool shot_taken = false;
    if (!screenshot.empty() && options_.frames > 0) {
        harness.SetLastFrameHook([&] {
            SaveScreenshot(capture, screenshot);
            shot_taken = true;
        });
    }

    {
        std::unique_ptr<SpriteApplication> application(new SpriteApplication(harness));
        application->Run();
    }
    if (!screenshot.empty() && !shot_taken)
        SaveScreenshot(capture, screenshot);
    return 0;
}

void SaveScreenshot(vela::FrameCapture& capture, const std::string& path) {
    vela::ImageData frame;
    if (!capture.ReadFrame(frame)) {
        std::fprintf(stderr, "game: could not read the frame for %s\n", path.c_str());
        return;
    }
    const int64_t count = int64_t(frame.width) * frame.height;
    for (int64_t i = 0; i < count; ++i)
        frame.pixels[i * 4 + 3] = 255;
    vela::PNGWriter::Save(path.c_str(), frame);
}
