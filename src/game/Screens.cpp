// What each screen draws, in drawing order, on the 640 x 480 surface the device clears to
// black every frame. Every draw blends with EffectAlphaBlend and uses pattern 0.
#include <algorithm>

#include "core/Numeric.h"
#include "core/Random.h"
#include "game/Form1.h"
#include "game/ImageNames.h"
#include "game/PlayFieldKinds.h"
#include "game/RankingTable.h"
#include "game/ScreenStyle.h"
#include "render/PxCanvas.h"
#include "render/PxFonts.h"
#include "render/PxImages.h"

namespace tvx {

namespace {

constexpr const char* kCreditLine = "2026 Tarvex Team - www.tarvex-game.org";
constexpr const char* kAddressLine = "www.tarvex-game.org";
constexpr const char* kTitlePrompt = "CTRL/Car Select - ENTER/Game Start";
constexpr std::uint32_t kPromptBlinkMs = 700;
constexpr std::uint32_t kCandidateBlinkMs = 250;
constexpr std::size_t kRedDamage = 25;
constexpr double kBackdropScale = 9.0;
constexpr std::uint8_t kNextLevelAlpha = 200;

}  // namespace

void TForm1::TextOut(int fontIndex, const std::string& text, double x, double y, std::uint32_t top,
                     std::uint32_t bottom) {
  if (TPxFont* f = Fonts_->Items(fontIndex)) f->TextOut(text, x, y, top, bottom, EffectAlphaBlend);
}

void TForm1::DrawImage(const std::string& name, double x, double y) {
  if (TPxImage* image = Images_->FindImage(name))
    MyCanvas_->DrawImage(image, 0, x, y, EffectAlphaBlend);
}

void TForm1::DrawNextLevelPicture() {
  if (TPxImage* image = Images_->FindImage(image::NextLevel))
    MyCanvas_->DrawImageAlpha(image, 0, 0, 0, kNextLevelAlpha, EffectAlphaBlend);
}

void TForm1::DrawBackdrop(const std::string& name) {
  // A small picture enlarged nine times fills the screen behind the game-over and ranking texts.
  if (TPxImage* image = Images_->FindImage(name))
    MyCanvas_->DrawImageScaled(image, 0, 0, -150, kBackdropScale, EffectAlphaBlend);
}

void TForm1::DrawTitleScreen() {
  TGameState& s = state_;
  DrawImage(image::Roads[0], 0, s.TitleRoadY);
  if (++s.TitleRoadY >= 0) s.TitleRoadY = -480;

  DrawImage(image::TrafficCars.at(s.TitleCarImage), s.TitleCarX, s.TitleCarY);
  s.TitleCarY += 2;
  if (s.TitleCarY >= 480) {
    s.TitleCarY = -100;
    s.TitleCarX = Random(440);
    if (s.TitleCarX <= 105) s.TitleCarX = Random(300) + 105;
  }

  MyCanvas_->FillOutlinedBox(53, 93, 532, 340, colour::Black, colour::TranslucentBlack,
                             EffectAlphaBlend);
  MyCanvas_->FillOutlinedBox(50, 90, 529, 112, colour::Black, colour::TranslucentOrange,
                             EffectAlphaBlend);
  TextOut(font::Title, "TARVEX", 65, 100, colour::White, colour::PaleYellow);
  TextOut(font::Small, kCreditLine, 200, 460, colour::White, colour::White);

  s.NowTick = parts_.clock.GetTickCount();
  if (s.NowTick - s.LastTick >= kPromptBlinkMs) {
    s.LastTick = s.NowTick;
    s.PromptText = s.PromptText.empty() ? kTitlePrompt : "";
  }
  TextOut(font::Prompt, s.PromptText, 135, 300, colour::White, colour::Orange);
  DrawImage(image::TitleCars.at(s.CarIndex), 260, 350);
}

void TForm1::DrawIntroScreen() {
  DrawNextLevelPicture();
  if (state_.Level <= 20) {
    TextOut(font::Title, state_.LevelCaption, 160, 200, colour::White, colour::Orange);
  } else {
    TextOut(font::Small, kAddressLine, 200, 400, colour::White, colour::Orange);
    TextOut(font::Title, state_.LevelCaption, 75, 200, colour::White, colour::Orange);
  }
}

void TForm1::DrawSetUpFrame() {
  DrawNextLevelPicture();
  if (TPxFont* f = Fonts_->Items(font::Loading))
    f->TextOutColor("LOADING . . .", 340, 440, colour::White);
}

void TForm1::DrawPauseText() {
  if (TPxFont* f = Fonts_->Items(font::Prompt))
    f->TextOutColor("Game Paused", 245, 230, colour::White);
  // Added below the original text: nothing on the paused screen said how to go on.
  TextOut(font::Small, "ENTER or A to resume", 240, 262, colour::White, colour::OffWhite);
}

void TForm1::DrawHud() {
  const TGameState& s = state_;
  MyCanvas_->FillOutlinedBox(520, 10, 110, 230, colour::TranslucentWhite, colour::TranslucentBlack,
                             EffectAlphaBlend);
  TextOut(font::Hud, "Time: ", 530, 20, colour::White, colour::Orange);
  TextOut(font::Hud, s.TimeBar, 530, 50, colour::White, colour::Green);
  TextOut(font::Hud, "Damage: ", 530, 80, colour::White, colour::Orange);
  TextOut(font::Hud, s.DamageBar, 530, 110, colour::White, colour::Grey);
  if (s.DamageBar.size() >= kRedDamage)
    TextOut(font::Hud, s.DamageBar, 530, 110, colour::White, colour::Red);
  TextOut(font::Hud, "LVL " + std::to_string(s.Level), 530, 140, colour::White, colour::Orange);
  TextOut(font::Hud, "Mph " + std::to_string(RoundHalfEven(s.ScrollSpeed * 12)), 530, 170,
          colour::White, colour::Orange);
  TextOut(font::Hud, "PTS " + std::to_string(s.Score), 530, 200, colour::White, colour::Orange);
}

// Pictures fill their textures at their first use. Those of the race and of the game-over
// screen fill as a level is set up, behind its caption, rather than in the frame of a first
// crash, pick-up or game over.
void TForm1::FillLevelPictures() {
  const auto fill = [this](const char* name) {
    if (TPxImage* picture = Images_->FindImage(name)) picture->FillTextures();
  };
  for (const FieldKind& kind : kFieldKinds) fill(kind.image);
  for (const char* name : image::PlayerCars) fill(name);
  for (const char* name : {image::Smoke, image::FireJet, image::Stars, image::GameOverBackdrop}) {
    fill(name);
  }
  for (const int index : {font::Hud, font::Prompt}) {
    if (TPxFont* f = Fonts_->Items(index); f != nullptr && f->Image() != nullptr)
      f->Image()->FillTextures();
  }
}

void TForm1::DrawGameOverScreen() {
  DrawBackdrop(image::GameOverBackdrop);
  TextOut(font::Title, "GAME OVER", 80, 100, colour::White, colour::Red);
  TextOut(font::Prompt, "Press ESC to return or ENTER to view ranking", 90, 300, colour::White,
          colour::OffWhite);
}

void TForm1::DrawRankingScreen() {
  const TGameState& s = state_;
  DrawBackdrop(image::RankingBackdrop);
  TextOut(font::Title, "RANKING", 60, 80, colour::White, colour::Red);
  // "poits" is the game's own misspelling, kept on purpose: the screen shows it so.
  TextOut(font::Hud, "Your poits: " + std::to_string(s.FinalScore), 150, 280, colour::White,
          colour::Orange);
  std::string name = "Your name: " + s.PlayerName;
  if (const char candidate = NameCandidate && WaitsForName() ? NameCandidate() : 0;
      candidate != 0 && parts_.clock.GetTickCount() / kCandidateBlinkMs % 2 == 0) {
    name += candidate == ' ' ? '_' : candidate;  // a blank would not show where the cursor is
  }
  TextOut(font::Hud, name, 150, 330, colour::White, colour::Orange);
  TextOut(font::Prompt, "Type your name or Press ESC to return", 20, 450, colour::White,
          colour::Orange);
  if (!s.RankingNotice.empty()) {
    TextOut(font::Small, s.RankingNotice, 20, 400, colour::White, colour::Red);
  }
}

// Every row that holds this game's score and name is highlighted, not only the first.
void TForm1::DrawRankingRows() {
  const TGameState& s = state_;
  TPxFont* f = Fonts_->Items(font::Small);
  if (f == nullptr) return;
  for (int i = 0; i < kRankingEntries; ++i) {
    const auto line = static_cast<std::size_t>(2 * i);
    f->TextOutColor(s.Ranking[line] + " " + s.Ranking[line + 1], 470, 190 + 30 * i,
                    IsOwnEntry(s, i) ? colour::OwnRank : colour::White);
  }
}

void TForm1::ShowNotice(const std::string& text) {
  constexpr int kNoticeSeconds = 5;
  state_.Notice = text;
  state_.NoticeFrames = kNoticeSeconds * std::max(state_.RefreshRate, 60);
}

void TForm1::DrawNotice() {
  if (state_.NoticeFrames <= 0) return;
  --state_.NoticeFrames;
  TextOut(font::Small, state_.Notice, 20, 10, colour::White, colour::Red);
}

}  // namespace tvx
