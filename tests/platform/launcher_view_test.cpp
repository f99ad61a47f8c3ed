#include <gtest/gtest.h>

#include "platform/sdl/LauncherView.h"

namespace tvx {
namespace {

TEST(LauncherViewTest, TheButtonLiesInsideTheLauncher) {
  const SDL_Rect button = StartButtonRect();
  EXPECT_GE(button.x, 0);
  EXPECT_LE(button.x + button.w, kLauncherWidth);
  EXPECT_LE(button.y + button.h, kLauncherHeight);
  EXPECT_TRUE(StartButtonContains(button.x, button.y));
  EXPECT_TRUE(StartButtonContains(button.x + button.w - 1, button.y + button.h - 1));
  EXPECT_FALSE(StartButtonContains(button.x + button.w, button.y));
  EXPECT_FALSE(StartButtonContains(button.x, button.y - 1));
  EXPECT_FALSE(StartButtonContains(0, 0));
}

}  // namespace
}  // namespace tvx
