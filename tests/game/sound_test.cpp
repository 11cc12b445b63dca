// What the game asks to hear: the events its rules report, and the sounds played for them.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "game_rig.h"
#include "recording_audio.h"
#include "replay_controller_input_manager.h"
#include "vela/input/sony_controller.h"

using vela::BUTTON_CROSS;
using vela::BUTTON_DOWN;
using vela::BUTTON_TRIANGLE;
using vela::BUTTON_UP;

namespace {

class RecordingListener : public GameEventListener {
public:
    void OnGameEvent(const GameEvent& event) override { events.push_back(event); }
    int Count(GameEventType type) const {
        int n = 0;
        for (const GameEvent& e : events) {
            n += e.type == type ? 1 : 0;
        }
        return n;
    }
    std::vector<GameEvent> events;
};

struct SoundRig : ::testing::Test {
    SoundRig() { rig.game().events.Add(&listener); }
    ~SoundRig() override { rig.game().events.Remove(&listener); }
    RecordingAudio& audio() { return *rig.platform.audio; }
    GameSounds& sounds() { return *rig.game().sounds; }
    // Plays since `from` (an index into the record).
    std::vector<RecordingAudio::PlayCall> PlaysSince(size_t from) {
        return {audio().plays.begin() + long(from), audio().plays.end()};
    }

    GameRig rig;
    RecordingListener listener;
};

}  // namespace

TEST_F(SoundRig, MenusSoundAMoveOnlyWhenTheHighlightMovesAChoiceAndABack) {
    while (rig.game().screens.state == ScreenState::Splash) {
        rig.Tick();
    }
    size_t from = audio().plays.size();
    rig.Press(BUTTON_UP);  // already at the top: nothing moves, nothing sounds
    rig.Press(BUTTON_DOWN);
    rig.Press(BUTTON_CROSS);  // Options
    rig.Press(BUTTON_TRIANGLE);
    const auto plays = PlaysSince(from);
    ASSERT_EQ(plays.size(), 3u);
    EXPECT_EQ(plays[0].sound, sounds().menuMove);
    EXPECT_EQ(plays[1].sound, sounds().menuChoose);
    EXPECT_EQ(plays[2].sound, sounds().menuBack);
    EXPECT_EQ(listener.Count(GameEventType::MenuMove), 1);
    EXPECT_EQ(plays[0].params.gain, 0.5f);
    EXPECT_FALSE(plays[0].params.loop);
}

TEST_F(SoundRig, MuteSilencesAtOnceAndPlaysNothingUntilTurnedOn) {
    rig.StartGame();
    rig.Throw(20);
    rig.TicksUntilFragLands();
    ASSERT_GT(audio().plays.size(), 0u);
    rig.game().screens.SetState(ScreenState::Options);
    rig.Tick();
    rig.Press(BUTTON_DOWN);
    const size_t before = audio().plays.size();
    rig.Press(BUTTON_CROSS);  // Volume: Mute
    EXPECT_FALSE(rig.game().settings.soundOn);
    EXPECT_TRUE(audio().IsMuted());
    EXPECT_FALSE(sounds().music->IsPlaying());
    rig.Press(BUTTON_DOWN);
    rig.Press(BUTTON_CROSS);  // Return
    rig.StartGame();
    rig.Throw(30, 0.5f, 0.5f);
    rig.Ticks(260);  // the fuse, an explosion, bounces
    EXPECT_GT(listener.Count(GameEventType::Explosion), 0);
    EXPECT_EQ(audio().plays.size(), before);

    rig.game().screens.SetState(ScreenState::Options);
    rig.Tick();
    rig.Press(BUTTON_DOWN);
    rig.Press(BUTTON_CROSS);  // Volume: On, and its own choice is heard
    EXPECT_FALSE(audio().IsMuted());
    ASSERT_EQ(audio().plays.size(), before + 1);
    EXPECT_EQ(audio().plays.back().sound, sounds().menuChoose);
}

TEST_F(SoundRig, ChargeToneRisesWhileHeldAndStopsAtTheThrowAndAtACancel) {
    rig.StartGame();
    rig.Ticks(30, BUTTON_CROSS);
    ASSERT_EQ(audio().CountOf(sounds().charge), 1u);
    const RecordingAudio::PlayCall tone = audio().plays.back();
    EXPECT_TRUE(tone.params.loop);
    ASSERT_FALSE(audio().pitches.empty());
    EXPECT_GT(audio().pitches.back().pitch, tone.params.pitch);
    EXPECT_NEAR(audio().pitches.back().pitch, 1.0f + 0.30f / 0.6f, 1e-5f);
    rig.Tick(0);  // the throw
    ASSERT_EQ(audio().stopped.size(), 1u);
    EXPECT_EQ(audio().stopped[0].id, tone.voice.id);
    EXPECT_EQ(audio().CountOf(sounds().throwing), 1u);
    EXPECT_EQ(listener.Count(GameEventType::ChargeEnd), 1);

    // Charging while the last explosion plays out: the win ends the charge.
    rig.TicksUntilFragLands();
    rig.Ticks(5, BUTTON_CROSS);
    ASSERT_EQ(audio().CountOf(sounds().charge), 2u);
    rig.game().hud.score = SpriteApplication::kWinningScore;
    const size_t stops = audio().stopped.size();
    for (int i = 0; i < 60 && rig.game().screens.state == ScreenState::Game; ++i) {
        EXPECT_EQ(audio().stopped.size(), stops);  // still charging while the blast plays
        rig.Tick(BUTTON_CROSS);
    }
    EXPECT_EQ(rig.game().screens.state, ScreenState::Win);
    EXPECT_EQ(audio().stopped.size(), 2u);
    EXPECT_EQ(audio().CountOf(sounds().win), 1u);
}

TEST_F(SoundRig, BouncesAndStrikesAreRateLimitedBouncesWithGainFromTheirSpeed) {
    rig.StartGame();
    GameEvents& events = rig.game().events;
    for (int i = 0; i < 30; ++i) {  // a frag pressed against a bad guy for half a second
        events.Report(GameEventType::Strike, 700.0f, 400.0f);
        rig.Tick();
    }
    EXPECT_EQ(audio().CountOf(sounds().strike), 2u);

    for (int i = 0; i < 10; ++i) {
        events.Report(GameEventType::Bounce, 900.0f, 300.0f, 4.0f);
    }
    rig.Ticks(int(GameSounds::kBounceInterval * 60.0f) - 1);
    events.Report(GameEventType::Bounce, 900.0f, 300.0f, 4.0f);
    EXPECT_EQ(audio().CountOf(sounds().bounce), 1u);
    rig.Tick();
    events.Report(GameEventType::Bounce, 480.0f, 300.0f, GameSounds::kQuietestBounce / 2);
    EXPECT_EQ(audio().CountOf(sounds().bounce), 1u);  // too soft to hear
    events.Report(GameEventType::Bounce, 480.0f, 300.0f, 100.0f);
    ASSERT_EQ(audio().CountOf(sounds().bounce), 2u);
    EXPECT_FLOAT_EQ(audio().plays[audio().plays.size() - 1].params.gain, 0.8f);
    EXPECT_FLOAT_EQ(audio().plays[audio().plays.size() - 1].params.pan, 0.0f);
}

TEST_F(SoundRig, ARealThrowBouncesExplodesWhereTheFragIsAndCanBeCalledBack) {
    rig.StartGame();
    rig.Throw(40, 0.6f, -0.8f);
    const int landed = rig.TicksUntilFragLands();
    ASSERT_LT(landed, 400);
    ASSERT_EQ(listener.Count(GameEventType::Explosion), 1);
    EXPECT_GE(listener.Count(GameEventType::Bounce), 1);
    GameEvent blast;
    for (const GameEvent& e : listener.events) {
        if (e.type == GameEventType::Explosion) {
            blast = e;
        }
    }
    const RecordingAudio::PlayCall* played = nullptr;
    for (const auto& call : audio().plays) {
        if (call.sound == sounds().explosion) {
            played = &call;
        }
    }
    ASSERT_NE(played, nullptr);
    EXPECT_FLOAT_EQ(played->params.pan, GameSounds::PanAt(blast.x));
    EXPECT_NE(played->params.pan, 0.0f);

    rig.Throw(20);
    rig.Ticks(5);
    const float x = rig.game().level.frag.sprite.position.x;
    rig.Press(BUTTON_TRIANGLE);
    ASSERT_EQ(audio().CountOf(sounds().recall), 1u);
    EXPECT_EQ(listener.Count(GameEventType::Recall), 1);
    EXPECT_FLOAT_EQ(audio().plays.back().params.pan, GameSounds::PanAt(x));
}

TEST_F(SoundRig, MusicPlaysOnTheMenusOnlyAndFadesIntoTheGame) {
    while (rig.game().screens.state == ScreenState::Splash) {
        rig.Tick();
    }
    EXPECT_FALSE(sounds().music->IsPlaying() && rig.game().screens.splashTicks == 0);
    rig.Tick();
    EXPECT_TRUE(sounds().music->IsPlaying());
    rig.StartGame();
    EXPECT_FALSE(sounds().music->IsPlaying());
}

TEST(GameSoundsEvents, AWonGameReportsEachThrowExplosionKillAndTheWinOnce) {
    std::vector<ControllerRecord> records;
    std::string error;
    ASSERT_TRUE(ReplayControllerInputManager::LoadFile(GAME_TEST_DATA "/won_game.rec", records,
                                                       error))
        << error;
    TestPlatform platform;
    platform.provide_controller = false;
    SpriteApplication game(platform);
    game.Init();
    RecordingListener listener;
    game.events.Add(&listener);
    const size_t updates = records.size() + 30;
    delete game.controllerManager;
    game.controllerManager = new ReplayControllerInputManager(std::move(records));
    for (size_t i = 0; i < updates && game.screens.state != ScreenState::Win; ++i) {
        game.Update(platform.frame_time);
    }
    ASSERT_EQ(game.screens.state, ScreenState::Win);
    int kills = 0;
    for (const GameEvent& e : listener.events) {
        kills += e.type == GameEventType::Kill ? int(e.value) : 0;
    }
    EXPECT_EQ(kills, 3);
    EXPECT_EQ(listener.Count(GameEventType::Win), 1);
    EXPECT_EQ(listener.Count(GameEventType::Throw), 6 - game.hud.frags);
    // A frag past the left edge is taken back without a sound.
    EXPECT_LE(listener.Count(GameEventType::Explosion) + listener.Count(GameEventType::Recall),
              listener.Count(GameEventType::Throw));
    EXPECT_GE(listener.Count(GameEventType::Explosion), 1);
    EXPECT_EQ(platform.audio->CountOf(game.sounds->win), 1u);
    game.events.Remove(&listener);
    game.CleanUp();
}
