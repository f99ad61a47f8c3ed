// TForm1, the main window and the game. It owns every component (device, game timer,
// canvas, image and font lists, archive, keyboard, sound system and five window timers), the
// sprite engine of the play field and the game state. Its handlers are the game:
//  - TimerTimer, once per frame: render through the device, run the due logic ticks,
//    present;
//  - DeviceRender, inside the render: load on the first frame, the running level, pending
//    state changes, then the screen the flags select, in a fixed priority;
//  - TimerProcess, once per logic tick: the play-field tick while a level runs;
//  - FormKeyDown and the window timers only change flags (Timer1 also spawns traffic); the
//    next frame acts on them.
// The play field's sprites (car, obstacles, road, effects) take a narrow context of its parts.
// The form is built from a bundle of platform parts, so tests run it on doubles.
//
// Frames follow the display's rate (the game timer paces them), draw the moving play field
// between ticks with smooth motion (PlayField.cpp), and rest where nothing would change:
// MayRest tells the message loop when it may leave frames out until something happens.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Component.h"
#include "game/GameState.h"
#include "game/PlayContext.h"
#include "game/RankingStore.h"
#include "platform/PlatformParts.h"

namespace tvx {

class TPxDevice;
class TPxTimer;
class TPxCanvas;
class TPxImages;
class TPxFonts;
class TPxDb;
class TPxKeyboard;
class TSoundSystem;
class TSpriteEngine;

class TForm1 : public TForm {
 public:
  explicit TForm1(const PlatformParts& parts);
  ~TForm1() override;

  std::uintptr_t WindowHandle() const override;

  // Window events.
  void Button1Click();
  void FormKeyDown(std::uint16_t key);
  // True while the ranking screen takes letters for the name, as FormKeyDown does.
  bool WaitsForName() const;
  // One line shown at the top of every screen for a few seconds.
  void ShowNotice(const std::string& text);
  // The letter an arcade-style name entry (a pad) offers at the cursor, shown blinking after
  // the name while one is typed; unset or 0 for none. Only drawn: letters still arrive as keys.
  std::function<char()> NameCandidate;
  void ApplicationEvents1Deactivate();
  void ApplicationEvents1Restore();

  // Component events.
  void DeviceInitialize(bool& success);
  void DeviceRender();
  void TimerTimer();
  void TimerProcess();
  void GameTimerTimer();
  void timerfirejetTimer();
  void timerstarsTimer();
  void timeralphaTimer();
  void Timer1Timer();  // the traffic spawner

  TGameState& State() { return state_; }
  const TGameState& State() const { return state_; }
  // Whether the loop may leave out frames until an event or a window timer: nothing on the
  // screen would change (a paused level whose picture stands still), or the window is out
  // of sight and nothing runs by frames (the title, a paused level, the game-over and
  // ranking screens). The intro, a level being set up and a running level always get them.
  bool MayRest(bool hidden) const;
  // Non-zero once the game has given up (resources that cannot be loaded).
  int ExitCode() const { return exitCode_; }

  // Components, for the parts of the game built on them and for tests.
  TPxDevice& Device() const { return *Device_; }
  TPxTimer& Timer() const { return *Timer_; }
  TPxCanvas& MyCanvas() const { return *MyCanvas_; }
  TPxImages& Images() const { return *Images_; }
  TPxFonts& Fonts() const { return *Fonts_; }
  TPxDb& PxDb1() const { return *PxDb1_; }
  TPxKeyboard& Keyboard() const { return *Keyboard_; }
  TSoundSystem& SoundSystem1() const { return *SoundSystem1_; }
  IIntervalTimer& Timer1() const { return *Timer1_; }
  IIntervalTimer& GameTimer() const { return *GameTimer_; }
  IIntervalTimer& timerfirejet() const { return *timerfirejet_; }
  IIntervalTimer& timerstars() const { return *timerstars_; }
  IIntervalTimer& timeralpha() const { return *timeralpha_; }
  // The play field's sprites; made on the first frame, emptied between levels.
  TSpriteEngine& Engine() const { return *Engine_; }
  // What the play field's sprites are made with.
  TPlayContext PlayContext() {
    return {state_,       *SoundSystem1_, *Keyboard_, *timerfirejet_,
            *timerstars_, *timeralpha_,   *Engine_};
  }

  // Called at the end of every frame's drawing, for what the program shows over the screen.
  std::function<void()> OnScreenDrawn;
  // True while the title screen shows, waiting for ENTER.
  bool ShowsTitle() const;
  // The player's display and focus choices, as just changed.
  void SetDisplay(const DisplayOptions& display) { parts_.display = display; }

  // Called after each part of the first frame's load ("fonts", "images", "sounds",
  // "engine"), so that start-up can be timed part by part.
  std::function<void(const char* step)> OnLoadStep;

 private:
  void FormCreate();
  void FormDestroy();
  std::unique_ptr<IIntervalTimer> MakeTimer(std::uint32_t interval, void (TForm1::*handler)());

  // Frame steps and state changes.
  bool LoadResources();
  void RunningLevelStep();
  void IntroStep();
  void GameOverStep();
  void SetUpLevel();
  void FillLevelPictures();
  void ReturnToTitle();
  void EndLevel();
  void ResetEffects();
  void GiveUp(const std::string& message);
  void PauseLevel();
  void PauseForFocusLoss();

  // Play field.
  void PlayFieldTick();
  // No sprite animates or is drawn anywhere but where it is.
  bool PlayFieldStill() const;
  bool PausedFrameChangesNothing() const;
  void ConnectPlayField();
  void ClearPlayField();
  void CreatePlayerAndRoad();
  void SpawnEffects();

  // Ranking screen.
  void RankingStep();
  void LoadRanking();
  void SaveRanking();
  std::string RankingPath() const;

  // Screens.
  void DrawTitleScreen();
  void DrawIntroScreen();
  void DrawSetUpFrame();
  void DrawPauseText();
  void DrawNotice();
  void DrawHud();
  void DrawGameOverScreen();
  void DrawRankingScreen();
  void DrawRankingRows();
  void DrawNextLevelPicture();
  void DrawBackdrop(const std::string& name);
  void DrawImage(const std::string& name, double x, double y);
  void TextOut(int font, const std::string& text, double x, double y, std::uint32_t top,
               std::uint32_t bottom);

  // Sound cues.
  void TitleMusicCue();
  void IntroSoundCue();
  void LevelMusicCue();
  void GameOverMusicCue();
  void RankingMusicCue();
  void StopLevelMusic();

  PlatformParts parts_;
  TGameState state_;
  int exitCode_ = 0;
  std::string savedRanking_;   // the table text the ranking file was last given
  std::string failedRanking_;  // the table text whose save failed; retried once it changes
  std::vector<RankingEntry> unsavedEntries_;  // this run's entries the file does not hold yet

  TPxDevice* Device_ = nullptr;
  TPxTimer* Timer_ = nullptr;
  TPxCanvas* MyCanvas_ = nullptr;
  TPxImages* Images_ = nullptr;
  TPxFonts* Fonts_ = nullptr;
  TPxDb* PxDb1_ = nullptr;
  TPxKeyboard* Keyboard_ = nullptr;
  TSoundSystem* SoundSystem1_ = nullptr;
  std::unique_ptr<IIntervalTimer> Timer1_;
  std::unique_ptr<IIntervalTimer> GameTimer_;
  std::unique_ptr<IIntervalTimer> timerfirejet_;
  std::unique_ptr<IIntervalTimer> timerstars_;
  std::unique_ptr<IIntervalTimer> timeralpha_;
  std::unique_ptr<TSpriteEngine> Engine_;
};

}  // namespace tvx
