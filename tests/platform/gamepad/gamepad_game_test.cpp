// A whole game played with a pad: SDL's virtual joystick stands in for it, the rest is the
// real program's window, OpenGL, keyboard device and input wiring. From the launcher to a
// level, steering both ways, pause and resume, and a three-letter name on the ranking screen
// that ends up in the ranking file. A button bound on the options screen, saved and steering.
// And F10, the mute key, on the real window.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>

#include "app/OptionsScreen.h"
#include "app/PlayerControls.h"
#include "core/TempFolder.h"
#include "game/RankingFile.h"
#include "game/RankingTable.h"
#include "harness/TestArchive.h"
#include "platform/audio/SdlAudioLibrary.h"
#include "platform/doubles/SilentAudioLibrary.h"
#include "platform/gl/GlGraphicsApi.h"
#include "platform/sdl/SdlClock.h"

namespace tvx {
namespace {

constexpr std::uint32_t kPatienceMs = 60000;  // a hang guard for a loaded machine, not a timing

class GamepadGame : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing::WriteTestArchive(folder.Path() + "resources.tvx"));
    std::string error;
    app = SdlApplication::Create(clock, error);
    ASSERT_NE(app, nullptr) << error;
    graphics = std::make_unique<GlGraphicsApi>(app->Window());
    graphics->KeepTargetOffscreen();
    ConnectInputs(*app, keyboard, Settings{});
    form = std::make_unique<TForm1>(PlatformParts{clock, *app, *graphics, keyboard, audio,
                                                  folder.Path() + "resources.tvx",
                                                  folder.Path() + "ranking.rkg"});
    ConnectForm(*app, *form, nullptr);

    SDL_VirtualJoystickDesc pad{};
    pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    pad.naxes = SDL_CONTROLLER_AXIS_MAX;
    pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    const int index = SDL_JoystickAttachVirtualEx(&pad);
    ASSERT_GE(index, 0) << SDL_GetError();
    joystick = SDL_JoystickOpen(index);
    ASSERT_NE(joystick, nullptr);
    ASSERT_TRUE(RunUntil([this] { return app->PadCount() == 1; })) << "the pad was not opened";
  }
  void TearDown() override {
    if (app) DisconnectForm(*app);
    form.reset();
    if (joystick != nullptr) SDL_JoystickClose(joystick);
    SDL_JoystickDetachVirtual(0);
  }

  bool RunUntil(const std::function<bool()>& done) {
    const std::uint32_t start = SDL_GetTicks();
    while (!done()) {
      if (SDL_GetTicks() - start > kPatienceMs) return false;
      app->RunPass();
    }
    return true;
  }
  void RunFor(std::uint32_t ms) {
    const std::uint32_t start = SDL_GetTicks();
    RunUntil([&] { return SDL_GetTicks() - start >= ms; });
  }
  void Hold(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
    RunFor(50);
  }
  void Press(SDL_GameControllerButton button) {
    Hold(button, true);
    Hold(button, false);
  }
  TGameState& State() { return form->State(); }
  // How many different pictures the ranking screen's name row shows over a second.
  std::size_t NameRowPictures() {
    std::set<std::vector<std::uint32_t>> seen;
    std::vector<std::uint32_t> pixels;
    for (int i = 0; i < 12; ++i) {
      RunFor(100);
      if (!graphics->ReadTargetPixels(pixels) || pixels.size() < 640 * 480) return 0;
      seen.emplace(pixels.begin() + 320 * 640, pixels.begin() + 380 * 640);
    }
    return seen.size();
  }

  TempFolder folder;
  SdlClock clock;
  std::unique_ptr<SdlApplication> app;
  std::unique_ptr<GlGraphicsApi> graphics;
  SdlKeyboardDevice keyboard;
  SilentAudioLibrary audio;
  std::unique_ptr<TForm1> form;
  SDL_Joystick* joystick = nullptr;
};

TEST_F(GamepadGame, StartsSteersPausesAndEntersARankingName) {
  // A on the launcher is "Start Game"; the title follows once the archive is loaded.
  Press(SDL_CONTROLLER_BUTTON_A);
  ASSERT_TRUE(RunUntil([&] { return State().DeviceReady && !State().NeedLoad; }));
  RunFor(300);
  EXPECT_FALSE(State().InGame);
  SDL_RaiseWindow(app->Window());
  SDL_SetWindowInputFocus(app->Window());
  RunFor(300);
  if (SDL_GetKeyboardFocus() != app->Window()) GTEST_SKIP() << "the window did not get the focus";

  // Start (as ENTER) starts a level.
  Press(SDL_CONTROLLER_BUTTON_START);
  ASSERT_TRUE(RunUntil([&] { return State().LevelRunning && State().PlayerX > 0; }));

  // The d-pad steers left, the stick right, through the arrows' keyboard slots.
  const float startX = State().PlayerX;
  Hold(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  EXPECT_TRUE(RunUntil([&] { return State().PlayerX < startX - 20; }));
  Hold(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  const float leftX = State().PlayerX;
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 30000);
  EXPECT_TRUE(RunUntil([&] { return State().PlayerX > leftX + 20; }));
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 0);

  // A pauses and resumes as ENTER does; the car stays put while paused.
  Press(SDL_CONTROLLER_BUTTON_A);
  ASSERT_TRUE(State().Paused);
  const float pausedX = State().PlayerX;
  Hold(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  RunFor(300);
  Hold(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
  EXPECT_EQ(State().PlayerX, pausedX);
  Press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_FALSE(State().Paused);

  // A worn-out car ends the game; A opens the ranking.
  State().Score = 500;  // enough for the top row of a new table
  State().DamageBar = std::string(31, '|');
  ASSERT_TRUE(RunUntil([&] { return State().GameOver; }));
  Press(SDL_CONTROLLER_BUTTON_A);
  ASSERT_TRUE(RunUntil([&] { return State().RankingMode; }));

  // "ZAC": down turns A round to space and Z, A types it; up twice and right type A after a
  // round; the stick turns up to C; Start finishes the name as ENTER does.
  Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  ASSERT_EQ(form->NameCandidate(), 'Z');
  Press(SDL_CONTROLLER_BUTTON_A);
  Press(SDL_CONTROLLER_BUTTON_DPAD_UP);
  Press(SDL_CONTROLLER_BUTTON_DPAD_UP);
  Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  // The letter at the cursor blinks after the name; without a pad's letter the row is still.
  std::function<char()> candidate = std::move(form->NameCandidate);
  form->NameCandidate = nullptr;
  EXPECT_EQ(NameRowPictures(), 1u);
  form->NameCandidate = std::move(candidate);
  EXPECT_GE(NameRowPictures(), 2u);
  for (int i = 0; i < 2; ++i) {
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, -30000);
    RunFor(50);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, 0);
    RunFor(50);
  }
  Press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(State().PlayerName, "ZAC");
  Press(SDL_CONTROLLER_BUTTON_START);
  ASSERT_TRUE(RunUntil([&] { return State().NameEntered && State().RankInserted; }));
  RunFor(100);

  const std::optional<std::string> text = LoadRankingFile(folder.Path() + "ranking.rkg");
  ASSERT_TRUE(text.has_value());
  const std::vector<std::string> lines = RankingLinesOf(*text);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::to_string(State().FinalScore));
  EXPECT_EQ(lines[1].substr(0, 4), "ZAC ");

  // Unplugged, the pad is closed and its letter no longer offered.
  SDL_JoystickClose(joystick);
  joystick = nullptr;
  SDL_JoystickDetachVirtual(0);
  EXPECT_TRUE(RunUntil([&] { return app->PadCount() == 0; }));
  EXPECT_EQ(form->NameCandidate(), '\0');
}

TEST_F(GamepadGame, OptionsScreenBindsAButtonThatThenSteersAndIsSaved) {
  const std::string path = folder.Path() + "config/settings.ini";
  SettingsFile file(path);
  Settings settings;
  SdlAudioLibrary mixer;
  OptionsScreen options(*app, *graphics, mixer, clock, file, settings);
  options.Connect(*form);
  Press(SDL_CONTROLLER_BUTTON_A);
  ASSERT_TRUE(RunUntil([&] { return State().DeviceReady && !State().NeedLoad; }));
  SDL_RaiseWindow(app->Window());
  SDL_SetWindowInputFocus(app->Window());
  RunFor(300);
  if (SDL_GetKeyboardFocus() != app->Window()) GTEST_SKIP() << "the window did not get the focus";

  // RB on the title opens the options; up from the first row goes round to the last and on
  // to "Steer left", seven rows up; A waits for its button, Y is taken, B leaves and saves.
  Press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
  ASSERT_TRUE(options.Open());
  for (int row = 0; row < 7; ++row) Press(SDL_CONTROLLER_BUTTON_DPAD_UP);
  Press(SDL_CONTROLLER_BUTTON_A);
  Press(SDL_CONTROLLER_BUTTON_Y);
  EXPECT_FALSE(State().InGame);  // nothing reached the game meanwhile
  Press(SDL_CONTROLLER_BUTTON_B);
  EXPECT_FALSE(options.Open());
  std::vector<std::string> warnings;
  const Settings saved = SettingsFile(path).Load(warnings);
  EXPECT_EQ(saved.padButtons[static_cast<std::size_t>(BoundInput::Left)],
            std::vector<std::string>{"Y"});
  // Y left car select, which keeps X.
  EXPECT_EQ(saved.padButtons[static_cast<std::size_t>(BoundInput::Control)],
            std::vector<std::string>{"X"});

  // In a level Y steers left and the d-pad's left no longer does.
  Press(SDL_CONTROLLER_BUTTON_START);
  ASSERT_TRUE(RunUntil([&] { return State().LevelRunning && State().PlayerX > 0; }));
  RunFor(300);
  const float startX = State().PlayerX;
  Hold(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  RunFor(500);
  Hold(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  EXPECT_EQ(State().PlayerX, startX);
  Hold(SDL_CONTROLLER_BUTTON_Y, true);
  EXPECT_TRUE(RunUntil([&] { return State().PlayerX < startX - 20; }));
  Hold(SDL_CONTROLLER_BUTTON_Y, false);
}

}  // namespace
}  // namespace tvx

namespace tvx {
namespace {

void PushF10(SDL_Window* window, bool repeat) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.windowID = SDL_GetWindowID(window);
  event.key.state = SDL_PRESSED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.sym = SDLK_F10;
  SDL_PushEvent(&event);
}

TEST(MuteKey, F10TogglesTheSoundAndRemembersOnlyThePlayersChoice) {
  TempFolder folder;
  const std::string path = folder.Path() + "tarvex/settings.ini";
  SettingsFile file(path);
  std::vector<std::string> warnings;
  Settings settings = file.Load(warnings);
  settings.mute = true;  // as --mute gives it, for this run only
  SdlClock clock;
  std::string error;
  std::unique_ptr<SdlApplication> app = SdlApplication::Create(clock, error);
  ASSERT_NE(app, nullptr) << error;
  SdlAudioLibrary audio;
  ConnectMuteToggle(*app, audio, file, settings);
  std::vector<std::uint16_t> keys;
  ApplicationEvents events;
  events.onKeyDown = [&](std::uint16_t key) { keys.push_back(key); };
  app->SetEvents(std::move(events));
  // Passes until the queue is empty; bounded, as the window system may add its own events.
  auto drain = [&] {
    for (int i = 0; i < 50 && SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); ++i) app->RunPass();
    app->RunPass();
  };

  PushF10(app->Window(), false);
  drain();
  EXPECT_FALSE(settings.mute);
  EXPECT_FALSE(std::filesystem::exists(path));  // unmuted is what the file holds already
  PushF10(app->Window(), false);
  PushF10(app->Window(), true);  // a held key toggles once
  drain();
  EXPECT_TRUE(settings.mute);
  EXPECT_TRUE(file.Load(warnings).mute);
  EXPECT_TRUE(keys.empty());  // the game never sees F10
}

}  // namespace
}  // namespace tvx
