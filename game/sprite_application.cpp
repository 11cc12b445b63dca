#include "sprite_application.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "body_tag.h"
#include "data_directory.h"
#include "vela/audio/audio.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/graphics/texture.h"
#include "vela/input/sony_controller_input_manager.h"
#include "vela/maths/portable_math.h"

namespace {

constexpr int32_t kVelocityIterations = 6;
constexpr int32_t kPositionIterations = 2;
constexpr double kPiDouble = 3.14159;
constexpr double kHalfPi = 1.570795;
// 3 * 3.14159 / 4: the aim with the stick at rest, up and to the right.
constexpr float kRestAim = 2.3561926f;
constexpr float kPowerStep = 0.01f;
constexpr float kPowerCap = 0.6f;
constexpr float kStrikeSpeedFirst = 0.3f;
constexpr float kStrikeSpeedSecond = 0.5f;

bool FastEnough(const b2Vec2& v, float threshold) {
    return std::fabs(v.x) >= threshold || std::fabs(v.y) >= threshold;
}

void ReportStrike(const GameEvents& events, const Frag& frag) {
    events.Report(GameEventType::Strike, frag.sprite.position.x, frag.sprite.position.y);
}

}  // namespace

SpriteApplication::SpriteApplication(vela::Platform& platform) : vela::Application(platform) {}

SpriteApplication::~SpriteApplication() {
    // CleanUp normally ran already; this only catches an application that never got there.
    delete controllerManager;
    delete world;
    delete spriteRenderer;
    sounds.reset();
    delete audio;
}

vela::Texture* SpriteApplication::LoadPngTexture(const char* filename) {
    vela::ImageData image;
    // Several objects show the same picture; a bad one is named once, not once each.
    const std::string name = filename != nullptr ? filename : "";
    if (badPictures_.count(name) == 0) {
        pngLoader.Load(filename, platform, image);
        if (image.pixels == nullptr) {
            badPictures_.insert(name);
        }
    }
    vela::Texture* texture = platform.CreateTexture(image);
    image.Release();
    if (texture) {
        textures_.emplace_back(texture);
    }
    return texture;
}

void SpriteApplication::Init() {
    if (!font.Load("comic_sans", platform)) {
        std::printf("Font failed to load.\n");
        std::fflush(stdout);
        std::error_code error;
        const std::string here = std::filesystem::current_path(error).string();
        std::fprintf(stderr, "game: the font %s could not be read in %s; %s\n",
                     DataDirectory::kFontFile, error ? "the working directory" : here.c_str(),
                     DataDirectory::StartHint());
        std::exit(-1);
    }
    settingsKeeper_ = SettingsKeeper(settingsStore);
    settingsKeeper_.Restore(settings);
    // One gameplay tick steps the world by 1/60 s: the game is timed by its frame rate.
    platform.SetTargetFrameRate(60.0);
    screens = ScreenManager(*this);
    screens.SetState(ScreenState::Splash);
    spriteRenderer = platform.CreateSpriteRenderer();
    controllerManager = platform.CreateSonyControllerInputManager();
    world = new b2World(b2Vec2(0.0f, -10.0f));
    hud = Hud(*this);
    level.Build(0, world, *this);
    bounceListener_.reset(new FragBounceListener(level.frag, events));
    world->SetContactListener(bounceListener_.get());
    screens.events = &events;
    audio = platform.CreateAudio(vela::AudioConfig());
    sounds.reset(new GameSounds(*audio, *this));
    events.Add(sounds.get());
    hurlerSprite = AnimatedSprite(80.0f, 104.0f, LoadPngTexture("hurler8.png"), 2, 6);
    hurlerSprite.position = vela::Vector3(kHurlerX, kHurlerY, 0.0f);
    explosionSprite = AnimatedSprite(168.0f, 160.0f, LoadPngTexture("explosion8.png"), 8, 5);
    fragResetSprite = AnimatedSprite(24.0f, 32.0f, LoadPngTexture("fragreset8.png"), 6, 2);
}

void SpriteApplication::CleanUp() {
    if (atEnd && world) {
        atEnd(*world);
    }
    events.Remove(sounds.get());
    sounds.reset();
    delete audio;
    audio = nullptr;
    delete controllerManager;
    controllerManager = nullptr;
    delete world;  // takes every body of the level with it
    world = nullptr;
    delete spriteRenderer;
    spriteRenderer = nullptr;
}

bool SpriteApplication::Update(float frame_time) {
    if (screens.newGameRequested) {
        NewGame();
        FinishUpdate(frame_time);
        return true;
    }
    fps = 1.0f / frame_time;

    PlayerIntent intent;
    if (input.Read(controllerManager, platform, screens, font, intent)) {
        if (screens.state == ScreenState::Game) {
            GameInput(intent);
        } else if (MenuInput(intent)) {
            FinishUpdate(frame_time);
            return true;
        }
    }
    if (screens.state == ScreenState::Game && world) {
        GameplayTick();
    }
    screens.Update();
    FinishUpdate(frame_time);
    return true;
}

void SpriteApplication::FinishUpdate(float frame_time) {
    settingsKeeper_.Keep(settings);
    const bool charging = screens.state == ScreenState::Game && power > 0.0f;
    if (charging_ && !charging) {
        events.Report(GameEventType::ChargeEnd);
    }
    charging_ = charging;
    if (sounds) {
        sounds->Update(frame_time);
    }
    if (audio) {
        audio->Update(frame_time);
    }
}

void SpriteApplication::NewGame() {
    // Nothing else happens in this update: no frame rate, input or physics.
    level.Reset(0);
    hud.frags = settings.hardDifficulty ? 3 : 6;
    throwArmed = false;
    hud.score = 0;
    power = 0.0f;
    screens.newGameRequested = false;
}

bool SpriteApplication::MenuInput(const PlayerIntent& intent) {
    if (intent.menuUp) {
        screens.Navigate(MenuCommand::Up);
    }
    if (intent.menuDown) {
        screens.Navigate(MenuCommand::Down);
    }
    if (intent.menuChoose) {
        screens.Navigate(MenuCommand::Select);
        return true;
    }
    if (intent.menuBack) {
        screens.Navigate(MenuCommand::Back);
    }
    return false;
}

void SpriteApplication::GameInput(const PlayerIntent& intent) {
    Frag& frag = level.frag;
    float aim = kRestAim;
    if (intent.aimX != 0.0f || intent.aimY != 0.0f) {
        aim = static_cast<float>(vela::PortableAtan2(intent.aimX, intent.aimY));
    }
    hud.arrowSprite.rotation = static_cast<float>(kPiDouble - aim);

    if (!frag.body) {
        return;
    }
    if (frag.thrown) {
        // Cross is ignored while a frag is in flight; triangle calls it back.
        if (intent.recall) {
            frag.Reset();
            fragResetSprite.Play(frag.sprite.position.x, frag.sprite.position.y, 0.0f,
                                 frag.sprite.rotation);
            power = 0.0f;
            events.Report(GameEventType::Recall, frag.sprite.position.x, frag.sprite.position.y);
        }
        return;
    }
    if (hud.frags <= 0) {
        return;
    }

    if (intent.chargeHeld && throwArmed) {
        const float before = power;
        power += kPowerStep;
        if (power >= kPowerCap) {
            power = kPowerCap;
        }
        if (power > before) {
            events.Report(GameEventType::Charge, kHurlerX, kHurlerY, power);
        }
    }
    if (intent.throwNow) {
        // The release of the cross press that started the game only arms the throw.
        if (throwArmed) {
            frag.Throw(static_cast<float>(-double(aim) - kHalfPi), power);
            hurlerSprite.Play(kHurlerX, kHurlerY, 0.0f, 0.0f);
            hud.frags -= 1;
            events.Report(GameEventType::Throw, kHurlerX, kHurlerY, power);
        }
        throwArmed = true;
        power = 0.0f;
    }
}

void SpriteApplication::GameplayTick() {
    world->Step(kTimeStep, kVelocityIterations, kPositionIterations);

    Frag& frag = level.frag;
    if (frag.body) {
        // Past the left edge of the screen: taken back, but not given back.
        if (frag.sprite.position.x < 0.0f) {
            frag.Reset();
        }
        if (frag.fuse <= 0) {
            explosionSprite.Play(frag.sprite.position.x, frag.sprite.position.y, 0.0f,
                                 frag.sprite.rotation);
            const float x = frag.sprite.position.x;
            const float y = frag.sprite.position.y;
            events.Report(GameEventType::Explosion, x, y);
            const int32_t kills = frag.Explode(frag.body->GetPosition(), world);
            hud.score += kPointsPerKill * kills;
            if (kills > 0) {
                events.Report(GameEventType::Kill, x, y, static_cast<float>(kills));
            }
        }
    }
    CheckEndOfGame();
    ScoreFragStrikes();

    if (explosionSprite.playing) {
        explosionSprite.Update();
    }
    if (fragResetSprite.playing) {
        fragResetSprite.Update();
    }
    if (hurlerSprite.playing) {
        hurlerSprite.Update();
    }
    level.Update();
    hud.Update(power);
}

void SpriteApplication::CheckEndOfGame() {
    // The last explosion is seen before the screen changes.
    if (explosionSprite.playing) {
        return;
    }
    if (hud.score >= kWinningScore) {
        screens.SetState(ScreenState::Win);
        events.Report(GameEventType::Win);
    } else if (hud.frags <= 0 && !level.frag.thrown) {
        screens.SetState(ScreenState::Lose);
        events.Report(GameEventType::Lose);
    }
}

void SpriteApplication::ScoreFragStrikes() {
    // A bad guy has two fixtures: the previous-body test and scoredLast keep two
    // neighbouring contacts of one strike from scoring twice.
    b2Body* previousA = nullptr;
    b2Body* previousB = nullptr;
    bool scoredLast = false;
    b2Contact* contact = world->GetContactList();
    const int32_t count = world->GetContactCount();
    for (int32_t i = 0; i < count && contact; ++i, contact = contact->GetNext()) {
        b2Body* a = contact->GetFixtureA()->GetBody();
        b2Body* b = contact->GetFixtureB()->GetBody();
        const BodyTag tagA = GetBodyTag(a);
        const BodyTag tagB = GetBodyTag(b);
        if (tagA == BodyTag::Frag && tagB == BodyTag::BadGuy && b != previousB) {
            if (contact->IsTouching() && !scoredLast) {
                if (FastEnough(a->GetLinearVelocity(), kStrikeSpeedFirst)) {
                    hud.score += kPointsPerStrike;
                    ReportStrike(events, level.frag);
                }
                scoredLast = true;
            } else {
                scoredLast = false;
            }
        }
        if (tagB == BodyTag::Frag && tagA == BodyTag::BadGuy && a != previousA) {
            if (contact->IsTouching() && !scoredLast) {
                if (FastEnough(b->GetLinearVelocity(), kStrikeSpeedSecond)) {
                    hud.score += kPointsPerStrike;
                    ReportStrike(events, level.frag);
                }
                scoredLast = true;
            } else {
                scoredLast = false;
            }
        }
        previousA = a;
        previousB = b;
    }
}

void SpriteApplication::Render() {
    if (!spriteRenderer) {
        return;
    }
    const auto left = vela::TextJustification::Left;
    spriteRenderer->Begin(true);
    spriteRenderer->DrawSprite(screens.CurrentBackground());
    if (screens.state == ScreenState::Game) {
        spriteRenderer->DrawSprite(level.frag.sprite);
        for (int32_t i = 0; i < level.sceneryCount; ++i) {
            spriteRenderer->DrawSprite(level.scenery[i].sprite);
        }
        for (int32_t i = 0; i < level.actorCount; ++i) {
            spriteRenderer->DrawSprite(level.actors[i].sprite);
        }
        hud.Render(spriteRenderer, font);
        if (fragResetSprite.playing) {
            spriteRenderer->DrawSprite(fragResetSprite);
        }
        spriteRenderer->DrawSprite(hurlerSprite);
        if (explosionSprite.playing) {
            spriteRenderer->DrawSprite(explosionSprite);
        }
    }
    screens.RenderItems(spriteRenderer, font);
    screens.RenderScore(spriteRenderer, font, hud.score);
    font.RenderText(spriteRenderer, vela::Vector3(850.0f, 0.0f, -0.9f), 1.0f, 0xff00ffffu, left,
                    "FPS: %.1f", static_cast<double>(fps));
    spriteRenderer->End();
}
