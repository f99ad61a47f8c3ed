// The archive keys of the pictures the game draws, shared by the game, the asset builder
// that paints them and the tests. The Portuguese and German keys are the pictures' published
// names and stay as they are.
#pragma once

#include <array>

namespace tvx::image {

// Numbered pictures: the index is the car, the road or the crashed car's own index.
inline constexpr std::array<const char*, 4> TrafficCars{"car0", "car1", "car2", "car3"};
inline constexpr std::array<const char*, 4> CrashedTrafficCars{"car0q", "car1q", "car2q", "car3q"};
inline constexpr std::array<const char*, 4> PlayerCars{"pcar0", "pcar1", "pcar2", "pcar3"};
inline constexpr std::array<const char*, 4> TitleCars{"scar0", "scar1", "scar2", "scar3"};
inline constexpr std::array<const char*, 7> Roads{"road0", "road1", "road2", "road3",
                                                  "road4", "road5", "road6"};

// Obstacles and pick-ups.
inline constexpr const char* LyingBarrel = "barril0";
inline constexpr const char* UprightBarrel = "barril1";
inline constexpr const char* ExplosiveBarrel = "barril2";
inline constexpr const char* RepairPickUp = "engrenagem";
inline constexpr const char* BoostPickUp = "gelb";
inline constexpr const char* DizzyPickUp = "gelbpreta";

// Effects and screens.
inline constexpr const char* Explosion = "explode";
inline constexpr const char* Smoke = "fogflow";
inline constexpr const char* FireJet = "firejet";
inline constexpr const char* Stars = "groggystars";
inline constexpr const char* NextLevel = "nextlevel";
inline constexpr const char* GameOverBackdrop = "gameovercar";
inline constexpr const char* RankingBackdrop = "rankingcar";

// Not drawn by the game: the program gives it to its window as the window's icon.
inline constexpr const char* WindowIcon = "icon";

}  // namespace tvx::image
