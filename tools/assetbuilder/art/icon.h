// The program's icon: the player's white sports car on a stretch of road, seen from above as
// in the game, on a rounded green tile. It is drawn in a 64-unit square and scaled, so the
// same picture serves the PNG sizes of the icon theme and the SVG.
#pragma once

#include <string>

namespace tvx::assets {

bool WriteIconPng(int size, const std::string& path);
bool WriteIconSvg(const std::string& path);

}  // namespace tvx::assets
