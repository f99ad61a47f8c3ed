// Difficulty by level: the scroll speed per level pair, refresh class and fire-jet boost,
// the level clock's pace, and the road picture chosen for a level.
#pragma once

#include <cstdint>
#include <string>

#include "game/GameState.h"

namespace tvx {

// The refresh class of a display rate: 60..70 -> 60, 71..75 -> 75, 76..85 -> 85,
// 86..100 -> 100, 101..120 -> 120, anything else 0.
int RefreshClassOf(int hertz);

// Sets ScrollSpeed from Level, RefreshRate and JetActive; leaves it unchanged when Level is
// outside 1..20 or RefreshRate is not one of the five classes.
void ApplyLevelSpeed(TGameState& state);

// The level clock's interval from its first tick on: 1000 ms on levels 1-2, 1500 ms on 3-10,
// 2000 ms on 11-20; 0 for levels that have no clock of their own.
std::uint32_t LevelClockInterval(int level);

// "road" followed by a random digit: 0-3 on levels 1-5, 4-6 on 6-10, 0-6 from 11 on.
// Draws exactly one random number.
std::string RoadImageName(int level);

}  // namespace tvx
