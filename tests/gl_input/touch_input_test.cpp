// The mouse as a touch panel, driven by SDL's cursor warp and button events.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "input/touch_input_manager.h"
#include "sdl/platform_sdl.h"

namespace {

using namespace vela;

void PushButton(Uint8 button, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
}

class TouchInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform_ = std::make_unique<PlatformSDL>(320, 200, false, false);
        ASSERT_TRUE(platform_->IsReady());
        manager_.reset(platform_->CreateTouchInputManager());
        ASSERT_NE(manager_, nullptr);
    }
    void MoveTo(int x, int y) {
        SDL_WarpMouseInWindow(platform_->GetWindow(), x, y);
        SDL_PumpEvents();
    }
    const Touch& Left() const { return manager_->GetTouch(0, 0); }
    const Touch& Right() const { return manager_->GetTouch(0, 1); }

    std::unique_ptr<PlatformSDL> platform_;
    std::unique_ptr<TouchInputManager> manager_;
};

TEST_F(TouchInputTest, DisabledPanelReportsNothing) {
    EXPECT_EQ(manager_->GetNumPanels(), 1);
    EXPECT_EQ(manager_->GetMaxNumTouches(), 2);
    EXPECT_FALSE(manager_->IsPanelEnabled(0));
    MoveTo(10, 20);
    PushButton(SDL_BUTTON_LEFT, true);
    manager_->Update();
    EXPECT_EQ(Left().type, TouchType::None);
    EXPECT_EQ(Left().id, -1);
}

TEST_F(TouchInputTest, LeftClickHeldOverFramesIsNewActiveReleasedThenNone) {
    manager_->EnablePanel(0);
    MoveTo(40, 30);
    PushButton(SDL_BUTTON_LEFT, true);
    manager_->Update();
    EXPECT_EQ(Left().type, TouchType::New);
    EXPECT_EQ(Left().id, 0);
    EXPECT_EQ(Left().position.x, 40.0f);
    EXPECT_EQ(Left().position.y, 30.0f);
    MoveTo(50, 35);
    manager_->Update();
    EXPECT_EQ(Left().type, TouchType::Active);
    manager_->Update();
    EXPECT_EQ(Left().type, TouchType::Active);
    MoveTo(60, 45);
    PushButton(SDL_BUTTON_LEFT, false);
    manager_->Update();
    EXPECT_EQ(Left().type, TouchType::Released);
    EXPECT_EQ(Left().position.x, 60.0f);
    EXPECT_EQ(Left().position.y, 45.0f);
    MoveTo(70, 50);
    manager_->Update();
    EXPECT_EQ(Left().type, TouchType::None);
    EXPECT_EQ(Left().position.x, 60.0f);
    EXPECT_EQ(Right().type, TouchType::None);
}

TEST_F(TouchInputTest, BothButtonsAreTwoTouchesAtTheCursor) {
    manager_->EnablePanel(0);
    MoveTo(100, 80);
    PushButton(SDL_BUTTON_LEFT, true);
    PushButton(SDL_BUTTON_RIGHT, true);
    PushButton(SDL_BUTTON_MIDDLE, true);
    manager_->Update();
    manager_->Update();
    EXPECT_EQ(Left().type, TouchType::Active);
    EXPECT_EQ(Right().type, TouchType::Active);
    EXPECT_EQ(Right().id, 1);
    EXPECT_EQ(Right().position.x, 100.0f);
    EXPECT_EQ(Right().position.y, 80.0f);

    // Disabling freezes the touches; odd indices read as untouched.
    manager_->DisablePanel(0);
    PushButton(SDL_BUTTON_LEFT, false);
    manager_->Update();
    EXPECT_EQ(Left().type, TouchType::Active);
    EXPECT_EQ(manager_->GetTouch(1, 0).type, TouchType::None);
    EXPECT_EQ(manager_->GetTouch(0, 2).id, -1);
    EXPECT_EQ(manager_->GetTouch(-1, -1).id, -1);
}

TEST_F(TouchInputTest, PressAndReleaseWithinOneFrameLeaveNoTrace) {
    manager_->EnablePanel(0);
    PushButton(SDL_BUTTON_LEFT, true);
    PushButton(SDL_BUTTON_LEFT, false);
    manager_->Update();
    EXPECT_EQ(Left().type, TouchType::None);
}

}  // namespace
