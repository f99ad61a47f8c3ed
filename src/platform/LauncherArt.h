// What the launcher (and its window's icon) shows from the game's archive, as plain pictures: the
// program composes them from the game's pictures and fonts, the launcher view only places them. Any
// of them may be empty (an archive that cannot be read); the launcher then goes without it.
#pragma once

#include <cstdint>
#include <vector>

namespace tvx {

constexpr char kStartButtonCaption[] = "Start Game";
constexpr char kSplashCaption[] = "LOADING...";

struct LauncherPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;  // 0xAARRGGBB, not premultiplied, top row first
  bool Empty() const { return width < 1 || height < 1; }
};

struct LauncherArt {
  LauncherPicture backdrop;       // fills the launcher, cropped to its shape
  LauncherPicture logo;           // the game's name
  LauncherPicture buttonCaption;  // "Start Game"
  LauncherPicture version;        // "v1.0.0", the program's version
  LauncherPicture splashCaption;  // "LOADING...", on the 640 x 480 surface
  LauncherPicture windowIcon;     // the program's icon, given to the window for its life
};

}  // namespace tvx
