// Writes a PNG of every screen of the game: the real archive drawn by the OpenGL backend,
// the rest of the platform played by the doubles, so each picture is the same on every run.
//
//   tarvex-screens <resources.tvx> <output folder>
//
// Needs a display or SDL_VIDEODRIVER=offscreen.
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/TempFolder.h"
#include "harness/GameHarness.h"
#include "harness/ScreenTour.h"
#include "harness/TestArchive.h"
#include "platform/gl/GlGraphicsApi.h"

namespace {

using tvx::testing::GameHarness;

bool Capture(tvx::GlGraphicsApi& graphics, const std::string& folder, const char* name) {
  const std::string path = (std::filesystem::path(folder) / name).string() + ".png";
  if (!graphics.ReadTargetToPng(path)) {
    std::fprintf(stderr, "tarvex-screens: cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("%s\n", path.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tarvex-screens <resources.tvx> <output folder>\n");
    return 2;
  }
  const std::string output = argv[2];
  std::error_code error;
  std::filesystem::create_directories(output, error);
  tvx::TempFolder folder;
  if (!std::filesystem::copy_file(argv[1], folder.Path() + "resources.tvx", error)) {
    std::fprintf(stderr, "tarvex-screens: cannot read %s: %s\n", argv[1], error.message().c_str());
    return 1;
  }
  std::string message;
  auto graphics = tvx::GlGraphicsApi::CreateWithOwnWindow(640, 480, message);
  if (!graphics) {
    std::fprintf(stderr, "tarvex-screens: no OpenGL: %s\n", message.c_str());
    return 1;
  }
  graphics->KeepTargetOffscreen();  // the pictures are read after the game presents them
  GameHarness game(*graphics, folder.Path());
  game.Start();
  if (!game.State().DeviceReady) {
    std::fprintf(stderr, "tarvex-screens: the game did not start on %s\n", argv[1]);
    return 1;
  }
  bool ok = true;
  tvx::testing::VisitScreens(
      game, [&](const char* screen) { ok = Capture(*graphics, output, screen) && ok; });
  return ok ? 0 : 1;
}
