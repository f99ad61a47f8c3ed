#include "game/LevelTable.h"

#include <array>

#include "core/Random.h"
#include "game/ImageNames.h"

namespace tvx {

namespace {

constexpr std::array<int, 5> kRefreshClasses = {60, 75, 85, 100, 120};

// Unboosted speed per level pair (rows) and refresh class (columns). The boost adds 2.0.
// Levels 11-12 run faster than 13-14, and 120 Hz shares one speed over 9-14: deliberate.
constexpr double kSpeeds[10][5] = {
    {5.0, 4.0, 3.5, 3.0, 2.5},     {6.0, 5.0, 4.5, 4.0, 3.5},     {7.0, 6.0, 5.5, 5.0, 4.5},
    {8.0, 7.0, 6.5, 6.0, 5.5},     {9.0, 8.0, 7.5, 7.0, 6.5},     {11.0, 10.0, 9.5, 9.0, 6.5},
    {9.0, 8.0, 7.5, 7.0, 6.5},     {12.0, 11.0, 10.5, 10.0, 7.5}, {13.0, 12.0, 11.5, 11.0, 8.5},
    {14.0, 13.0, 12.5, 12.0, 9.5},
};
constexpr double kJetBoost = 2.0;

}  // namespace

int RefreshClassOf(int hertz) {
  if (hertz >= 60 && hertz <= 70) return 60;
  if (hertz >= 71 && hertz <= 75) return 75;
  if (hertz >= 76 && hertz <= 85) return 85;
  if (hertz >= 86 && hertz <= 100) return 100;
  if (hertz >= 101 && hertz <= 120) return 120;
  return 0;
}

void ApplyLevelSpeed(TGameState& state) {
  if (state.Level < 1 || state.Level > 20) return;
  int column = -1;
  for (std::size_t i = 0; i < kRefreshClasses.size(); ++i) {
    if (kRefreshClasses[i] == state.RefreshRate) column = static_cast<int>(i);
  }
  if (column < 0) return;
  const double speed = kSpeeds[(state.Level - 1) / 2][column];
  state.ScrollSpeed = state.JetActive ? speed + kJetBoost : speed;
}

std::uint32_t LevelClockInterval(int level) {
  if (level >= 1 && level <= 2) return 1000;
  if (level >= 3 && level <= 10) return 1500;
  if (level >= 11 && level <= 20) return 2000;
  return 0;
}

std::string RoadImageName(int level) {
  int digit;
  if (level <= 5) {
    digit = Random(4);
  } else if (level <= 10) {
    digit = Random(3) + 4;
  } else {
    digit = Random(7);
  }
  return image::Roads[digit];
}

}  // namespace tvx
