// The bundle of platform parts the main window is built from: the real program passes the
// SDL, OpenGL and audio implementations, whole-game tests pass the doubles.
#pragma once

#include <string>

#include "platform/Application.h"
#include "platform/AudioLibrary.h"
#include "platform/Clock.h"
#include "platform/DisplayOptions.h"
#include "platform/GraphicsApi.h"
#include "platform/KeyboardDevice.h"

namespace tvx {

struct PlatformParts {
  IClock& clock;
  IApplication& application;
  gfx::IGraphicsApi& graphics;
  IKeyboardDevice& keyboard;
  IAudioLibrary& audio;
  // The archive the game reads (never writes), and the ranking file it reads and keeps up to
  // date; the program decides both before the game starts.
  std::string archivePath;
  std::string rankingPath;
  // The player's display and focus choices; the game reads whether focus loss pauses.
  DisplayOptions display{};
};

}  // namespace tvx
