#include "game_session.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <utility>

#include "memory_settings.h"
#include "platform_harness.h"
#include "recorded_options.h"
#include "replay_controller_input_manager.h"
#include "sprite_application.h"
#include "vela/audio/wav_writer.h"
#include "vela/core/program_runner.h"
#include "vela/system/os_file.h"
#include "world_snapshot.h"

namespace {

bool NameOneFile(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() && (a == b || vela::IsSameFile(a, b));
}

// "Quit" ends the process from inside the game, without returning to Run: the record
// so far is put in place on the way out all the same.
GameSession* g_recording_session = nullptr;

void FinishRecordAtExit() {
    GameSession* session = g_recording_session;
    if (session && !session->FinishRecord()) {
        std::fflush(nullptr);
        std::_Exit(1);
    }
}

}  // namespace

GameSession::GameSession(GameOptions options) : options_(std::move(options)) {}

GameSession::~GameSession() {
    if (g_recording_session == this) {
        g_recording_session = nullptr;
    }
}

bool GameSession::FinishRecord() {
    if (g_recording_session == this) {
        g_recording_session = nullptr;
    }
    if (!record_open_) {
        return !record_failed_;
    }
    record_open_ = false;
    if (!record_.Commit()) {
        std::fprintf(stderr, "game: record not saved: %s\n", record_.Error().c_str());
        record_failed_ = true;
    }
    return !record_failed_;
}

bool GameSession::Open() {
    const struct {
        const char* first;
        const std::string& a;
        const char* second;
        const std::string& b;
    } pairs[] = {{"--record", options_.record, "--replay", options_.replay},
                 {"--screenshot", options_.program.screenshot, "--replay", options_.replay},
                 {"--screenshot", options_.program.screenshot, "--record", options_.record},
                 {"--audio-out", options_.audioOut, "--replay", options_.replay},
                 {"--audio-out", options_.audioOut, "--record", options_.record},
                 {"--audio-out", options_.audioOut, "--screenshot", options_.program.screenshot},
                 {"--bodies-out", options_.bodiesOut, "--replay", options_.replay},
                 {"--bodies-out", options_.bodiesOut, "--record", options_.record},
                 {"--bodies-out", options_.bodiesOut, "--screenshot", options_.program.screenshot},
                 {"--bodies-out", options_.bodiesOut, "--audio-out", options_.audioOut}};
    for (const auto& pair : pairs) {
        if (NameOneFile(pair.a, pair.b)) {
            std::fprintf(stderr, "game: %s and %s name the same file (%s)\n", pair.first,
                         pair.second, pair.a.c_str());
            return false;
        }
    }
    std::string error;
    if (!options_.replay.empty()) {
        if (!ReplayControllerInputManager::LoadFile(options_.replay.c_str(), replay_, error)) {
            std::fprintf(stderr, "game: %s\n", error.c_str());
            return false;
        }
        std::ifstream in(options_.replay, std::ios::binary);
        replayOptions_ = RecordedOptions::Text(in);
    }
    for (const std::string* output : {&options_.record, &options_.program.screenshot,
                                      &options_.audioOut, &options_.bodiesOut}) {
        if (!output->empty() && !vela::AtomicFileWriter::CheckTarget(*output, error)) {
            std::fprintf(stderr, "game: can't write %s\n", error.c_str());
            return false;
        }
    }
    return true;
}

void GameSession::UseSettings(std::unique_ptr<SettingsStore> store) {
    settings_ = std::move(store);
}

int GameSession::Run(vela::Platform& platform, vela::FrameCapture& capture) {
    PlatformHarness harness(platform);
    vela::ProgramRunner runner(options_.program);
    runner.Attach(harness, &capture);
    std::vector<int16_t> mix;
    if (!options_.audioOut.empty()) {
        harness.SetOfflineAudio(&mix);
    }
    std::unique_ptr<SpriteApplication> application(new SpriteApplication(harness));
    SpriteApplication* game = application.get();
    const bool replaying = !options_.replay.empty();
    const bool recording = !options_.record.empty();
    if (replaying) {
        // A replay starts as its record did, and the player's own options stay as they are.
        replaySettings_.reset(new MemorySettings(replayOptions_, "the replay"));
        game->settingsStore = replaySettings_.get();
    } else if (!options_.freshOptions) {
        game->settingsStore = settings_.get();
    }
    // A replay is the whole input: a mouse over the window must not join in.
    harness.SetPointerShown(!replaying);
    if (replaying || recording) {
        harness.SetControllerFactory(
            [this, replaying, recording, game,
             &harness](vela::Platform& inner) -> vela::SonyControllerInputManager* {
                vela::SonyControllerInputManager* source =
                    replaying ? new ReplayControllerInputManager(std::move(replay_))
                              : inner.CreateSonyControllerInputManager();
                if (!recording) {
                    return source;
                }
                if (!record_.Open(options_.record)) {
                    std::fprintf(stderr, "game: can't record: %s\n", record_.Error().c_str());
                    record_failed_ = true;
                    harness.RequestStop();
                    return source;
                }
                record_open_ = true;
                static bool exit_hook = false;
                if (!exit_hook) {
                    exit_hook = std::atexit(FinishRecordAtExit) == 0;
                }
                g_recording_session = this;
                recordWriter_.reset(new RecordWriter(record_.Stream()));
                // The options are in place by now: the game reads them first.
                recordWriter_->Note(RecordedOptions::Lines(game->settings));
                game->input.SetRecorder(recordWriter_.get());
                return source;
            });
    }

    // Written while the world still stands, in the game's CleanUp.
    bool bodies_tried = false;
    bool bodies_saved = options_.bodiesOut.empty();
    if (!bodies_saved) {
        game->atEnd = [this, &bodies_tried, &bodies_saved](const b2World& world) {
            bodies_tried = true;
            bodies_saved = SaveBodies(world);
        };
    }
    const int shot_status = runner.Run(*application);
    application.reset();
    if (!options_.bodiesOut.empty() && !bodies_tried) {
        std::fprintf(stderr, "game: %s not written: the game ended before its world was made\n",
                     options_.bodiesOut.c_str());
    }
    const bool mix_saved = options_.audioOut.empty() || SaveMix(mix, harness.FramesPresented());
    // The game's lines are all in the stream.
    const bool record_saved = FinishRecord();
    return shot_status == 0 && record_saved && mix_saved && bodies_saved ? 0 : 1;
}

bool GameSession::SaveMix(std::vector<int16_t>& mix, int64_t frames) const {
    const int64_t expected = frames * (PlatformHarness::kOfflineAudioRate / 60) * 2;
    if (int64_t(mix.size()) != expected) {
        std::fprintf(stderr,
                     "game: %s not written: this platform could not mix the sound offline\n",
                     options_.audioOut.c_str());
        return false;
    }
    vela::SoundData sound;
    sound.sample_rate = PlatformHarness::kOfflineAudioRate;
    sound.channels = 2;
    sound.samples.swap(mix);
    return vela::WavWriter::Save(options_.audioOut.c_str(), sound);
}

bool GameSession::SaveBodies(const b2World& world) const {
    vela::AtomicFileWriter file;
    // Commit checks the stream for failed writes.
    const bool ok = file.Open(options_.bodiesOut) &&
                    (WorldSnapshot::Write(world, file.Stream()), file.Commit());
    if (!ok) {
        std::fprintf(stderr, "game: bodies not saved: %s\n", file.Error().c_str());
    }
    return ok;
}
