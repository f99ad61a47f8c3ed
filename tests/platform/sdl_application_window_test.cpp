// The SDL application on a real (virtual) X display: the launcher window, its events, the
// message loop with timers and idle handler, and the switch to the game surface.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/KeyboardDevice.h"
#include "platform/sdl/SdlApplication.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlKeyboardDevice.h"

namespace tvx {
namespace {

class SdlApplicationWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    app = SdlApplication::Create(clock, error);
    ASSERT_NE(app, nullptr) << error;
    ApplicationEvents events;
    events.onKeyDown = [this](std::uint16_t key) { keys.push_back(key); };
    events.onStartClicked = [this] { ++startClicks; };
    app->SetEvents(std::move(events));
  }

  void PushKey(SDL_Keycode key, bool repeat = false, Uint16 modifiers = KMOD_NONE) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SDL_GetWindowID(app->Window());
    event.key.state = SDL_PRESSED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = key;
    event.key.keysym.mod = modifiers;
    SDL_PushEvent(&event);
  }

  void PushClick(int x, int y) {
    for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
      SDL_Event event{};
      event.type = type;
      event.button.windowID = SDL_GetWindowID(app->Window());
      event.button.button = SDL_BUTTON_LEFT;
      event.button.x = x;
      event.button.y = y;
      SDL_PushEvent(&event);
    }
  }

  // Passes until no event is left; bounded, as the window system may add its own.
  void DrainEvents() {
    for (int i = 0; i < 50 && SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); ++i) app->RunPass();
    app->RunPass();
  }

  SdlClock clock;
  std::unique_ptr<SdlApplication> app;
  std::vector<std::uint16_t> keys;
  int startClicks = 0;
};

TEST_F(SdlApplicationWindowTest, OpensTheLauncherWindowForOpenGl) {
  SDL_Window* window = app->Window();
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window, &width, &height);
  EXPECT_EQ(width, 759);
  EXPECT_EQ(height, 453);
  EXPECT_STREQ(SDL_GetWindowTitle(window), "Tarvex");
  EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL, 0u);
  EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS, 0u);
  EXPECT_EQ(app->WindowHandle(), SDL_GetWindowID(window));
  EXPECT_NE(app->WindowHandle(), 0u);
  EXPECT_GE(app->RefreshRate(), 0);
}

TEST_F(SdlApplicationWindowTest, LauncherKeysAndClicksPressStartOtherKeysGoToTheGame) {
  PushKey(SDLK_RETURN);
  PushKey(SDLK_RETURN, true);  // a held key presses the button once
  PushKey(SDLK_ESCAPE);
  PushClick(759 / 2, 280 + 32);
  PushClick(5, 5);
  DrainEvents();
  EXPECT_EQ(startClicks, 2);
  EXPECT_EQ(keys, (std::vector<std::uint16_t>{27}));
}

TEST_F(SdlApplicationWindowTest, TheGameSurfaceTakesEveryKeyAndCarriesAGlContext) {
  app->EnterGameSurface();
  DrainEvents();
  SDL_Window* window = app->Window();
  EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS, 0u);
  EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP,
            static_cast<Uint32>(SDL_WINDOW_FULLSCREEN_DESKTOP));
  EXPECT_EQ(SDL_GetRenderer(window), nullptr) << "the launcher's renderer is gone";
  SDL_GLContext context = SDL_GL_CreateContext(window);
  EXPECT_NE(context, nullptr) << SDL_GetError();
  if (context != nullptr) SDL_GL_DeleteContext(context);

  PushKey(SDLK_RETURN);
  PushKey(SDLK_RCTRL, true);
  PushKey(SDLK_q);
  PushClick(759 / 2, 280 + 32);
  DrainEvents();
  EXPECT_EQ(keys, (std::vector<std::uint16_t>{13, 17, 81}));
  EXPECT_EQ(startClicks, 0);
}

TEST_F(SdlApplicationWindowTest, AWindowedGameSurfaceSwitchesWithAltEnterAndF11) {
  std::string error;
  app = SdlApplication::Create(clock, error, {.fullscreen = false});
  ASSERT_NE(app, nullptr) << error;
  std::vector<bool> remembered;
  app->SetOnDisplayChanged([&](const DisplayOptions& d) { remembered.push_back(d.fullscreen); });
  ApplicationEvents events;
  events.onKeyDown = [this](std::uint16_t key) { keys.push_back(key); };
  events.onStartClicked = [this] { ++startClicks; };
  app->SetEvents(std::move(events));
  SDL_Window* window = app->Window();

  PushKey(SDLK_RETURN, false, KMOD_LALT);  // in the launcher: the choice flips, no start
  PushKey(SDLK_F11);
  DrainEvents();
  EXPECT_EQ(startClicks, 0);
  EXPECT_EQ(remembered, (std::vector<bool>{true, false}));

  app->EnterGameSurface();
  app->HideCursor();
  DrainEvents();
  EXPECT_FALSE(app->FullScreen());
  EXPECT_EQ(SDL_GetWindowFlags(window) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_BORDERLESS), 0u);
  EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE, 0u);
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window, &width, &height);
  EXPECT_TRUE(width % 640 == 0 && width > 0 && width * 3 == height * 4) << width << "x" << height;
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE) << "a window keeps the pointer";

  PushKey(SDLK_RETURN, false, KMOD_RALT);
  PushKey(SDLK_RETURN, true, KMOD_RALT);  // held: no flip back
  DrainEvents();
  EXPECT_TRUE(app->FullScreen());
  EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

  PushKey(SDLK_F11);
  PushKey(SDLK_RETURN);
  DrainEvents();
  EXPECT_FALSE(app->FullScreen());
  EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN, 0u);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
  EXPECT_EQ(remembered, (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(keys, (std::vector<std::uint16_t>{13})) << "only the plain ENTER reaches the game";
}

TEST_F(SdlApplicationWindowTest, RunFiresTimersAndTheIdleHandlerUntilTerminated) {
  auto timer = app->CreateTimer();
  int fired = 0;
  timer->SetInterval(5);
  timer->SetOnTimer([&] { ++fired; });
  timer->SetEnabled(true);
  int idlePasses = 0;
  // The idle handler is done every pass, so the loop waits; the timer must still wake it.
  app->SetIdleHandler([&](bool&) {
    ++idlePasses;
    if (fired >= 3 || idlePasses > 100000) app->Terminate();
  });
  app->Run();
  EXPECT_EQ(fired, 3);
  EXPECT_TRUE(app->Terminated());
}

TEST_F(SdlApplicationWindowTest, AQuitRequestEndsTheLoop) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  int idlePasses = 0;
  app->SetIdleHandler([&](bool&) {
    if (++idlePasses > 100000) app->Terminate();
  });
  app->Run();
  EXPECT_TRUE(app->Terminated());
  EXPECT_LT(idlePasses, 100000);
}

TEST_F(SdlApplicationWindowTest, TheKeyboardDeviceReadsTheWindowsKeyboardState) {
  SdlKeyboardDevice device;
  ASSERT_EQ(device.CreateInputObject(), input::Ok);
  ASSERT_EQ(device.CreateDevice(), input::Ok);
  ASSERT_EQ(device.SetDataFormat(input::KeyboardDataSize), input::Ok);
  EXPECT_EQ(device.SetCooperativeLevel(0xFFFF, input::Background | input::NonExclusive),
            input::Fail)
      << "not a window";
  ASSERT_EQ(
      device.SetCooperativeLevel(app->WindowHandle(), input::Background | input::NonExclusive),
      input::Ok);
  ASSERT_EQ(device.Acquire(), input::Ok);
  std::uint8_t state[256];
  std::fill(std::begin(state), std::end(state), 0x11);
  ASSERT_EQ(device.GetDeviceState(256, state), input::Ok);
  for (std::uint8_t slot : state) EXPECT_EQ(slot, 0) << "no key is held";

  device.ReleaseDevice();
  ASSERT_EQ(device.CreateDevice(), input::Ok);
  ASSERT_EQ(device.SetDataFormat(input::KeyboardDataSize), input::Ok);
  ASSERT_EQ(
      device.SetCooperativeLevel(app->WindowHandle(), input::Foreground | input::NonExclusive),
      input::Ok);
  const bool focused = SDL_GetKeyboardFocus() == app->Window();
  EXPECT_EQ(device.Acquire(), focused ? input::Ok : input::Fail);
}

// Real key presses through the X server (XTEST), when xdotool is there to make them.
TEST_F(SdlApplicationWindowTest, RealKeysArriveAsVirtualKeysAndHeldKeysAsDirectInputSlots) {
  if (std::system("command -v xdotool > /dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
  app->EnterGameSurface();
  DrainEvents();
  if (SDL_GetKeyboardFocus() != app->Window()) GTEST_SKIP() << "the window did not get the focus";
  SdlKeyboardDevice device;
  ASSERT_EQ(device.CreateInputObject(), input::Ok);
  ASSERT_EQ(device.CreateDevice(), input::Ok);
  ASSERT_EQ(device.SetDataFormat(input::KeyboardDataSize), input::Ok);
  ASSERT_EQ(
      device.SetCooperativeLevel(app->WindowHandle(), input::Foreground | input::NonExclusive),
      input::Ok);
  ASSERT_EQ(device.Acquire(), input::Ok);

  ASSERT_EQ(std::system("xdotool keydown Up keydown Control_R"), 0);
  std::uint8_t state[256] = {};
  bool read = false;
  for (int i = 0; i < 200 && !read; ++i) {
    app->RunPass();
    SDL_Delay(5);
    read = device.GetDeviceState(256, state) == input::Ok && state[dik::Up] == 0x80 &&
           state[0x9D] == 0x80;
  }
  std::system("xdotool keyup Control_R keyup Up");
  DrainEvents();  // the wait at the end of a pass may have read the key without delivering it
  EXPECT_TRUE(read) << "up arrow and right CTRL held";
  EXPECT_EQ(state[dik::Down], 0);
  ASSERT_FALSE(keys.empty());
  EXPECT_EQ(keys.front(), 38) << "the up arrow's virtual key";
}

}  // namespace
}  // namespace tvx
