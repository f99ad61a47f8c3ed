// The game-state variables of the main window: the screen state is the combination of the
// boolean flags below, read in a fixed priority by every frame; key handlers and window
// timers only change them. One instance exists, owned by the main window, read and written on
// the main thread only. Everything starts zero, false or empty.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvx {

struct TGameState {
  int RefreshRate = 0;  // refresh class: 60, 75, 85, 100 or 120
  bool NeedLoad = false;
  bool DeviceReady = false;

  bool InGame = false;
  bool IntroDone = false;
  bool LevelRunning = false;
  bool Paused = false;
  bool LevelDone = false;
  bool ResetRequest = false;
  bool GameOver = false;
  bool RankingMode = false;
  bool RankInserted = false;
  bool NameEntered = false;

  int Level = 0;  // 1..20 while playing, 21 once won, 0 before the first game of a run
  int Score = 0;
  int FinalScore = 0;
  double ScrollSpeed = 0.0;  // pixels per logic tick
  std::string TimeBar;       // one "|" per remaining clock tick
  std::string DamageBar;     // one "|" per damage point
  int CarIndex = 0;
  std::string PlayerName;
  std::vector<std::string> Ranking;
  std::string RankingNotice;  // one line on the ranking screen while the table is not saved
  std::string Notice;         // one line over any screen for a while (a setting not saved)
  int NoticeFrames = 0;

  float PlayerX = 0.0f;
  float PlayerY = 0.0f;
  int PlayerAlpha = 0;
  bool JetRequest = false;
  bool JetActive = false;
  bool JetOver = false;
  bool StarsRequest = false;
  bool StarsActive = false;
  bool StarsOver = false;
  bool SmokeShown = false;

  int MusicIndex = 0;
  std::uint32_t LastTick = 0;
  std::uint32_t NowTick = 0;
  int IntroTicks = 0;
  std::string PromptText;
  std::string LevelCaption;
  int TitleRoadY = 0;
  int TitleCarX = 0;
  int TitleCarY = 0;
  int TitleCarImage = 0;
  int RankIndex = 0;
  int ShiftIndex = 0;
};

}  // namespace tvx
