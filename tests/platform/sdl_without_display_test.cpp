// The SDL parts where there is no display: these run in any environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/doubles/VirtualClock.h"
#include "platform/sdl/SdlApplication.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlKeyboardDevice.h"

namespace tvx {
namespace {

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(SdlApplicationWithoutDisplayTest, TheFactoryFailsCleanlyWithAReason) {
  ScopedEnv driver("SDL_VIDEODRIVER", "x11");
  ScopedEnv display("DISPLAY", nullptr);
  VirtualClock clock;
  std::string error;
  std::unique_ptr<SdlApplication> app = SdlApplication::Create(clock, error);
  EXPECT_EQ(app, nullptr);
  EXPECT_NE(error.find("no display"), std::string::npos) << error;
}

TEST(SdlApplicationWithoutDisplayTest, UsesTheOffscreenDriverOnlyWhenAsked) {
  ScopedEnv display("DISPLAY", nullptr);
  ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
  VirtualClock clock;
  std::string error;
  {
    ScopedEnv driver("SDL_VIDEODRIVER", nullptr);
    EXPECT_EQ(SdlApplication::Create(clock, error), nullptr);
    EXPECT_NE(error.find("no display"), std::string::npos) << error;
  }
  ScopedEnv driver("SDL_VIDEODRIVER", "offscreen");
  EXPECT_NE(SdlApplication::Create(clock, error), nullptr) << error;
}

TEST(SdlKeyboardDeviceWithoutVideoTest, HasNoInputObjectAndReadsNothing) {
  SdlKeyboardDevice device;
  EXPECT_EQ(device.CreateInputObject(), input::Fail);
  EXPECT_FALSE(device.HasInputObject());
  EXPECT_EQ(device.CreateDevice(), input::Fail);
  std::uint8_t state[256] = {};
  EXPECT_EQ(device.GetDeviceState(256, state), input::Fail);
}

TEST(SdlClockTest, CountsForwardWithAPositiveFrequency) {
  SdlClock clock;
  std::int64_t frequency = 0;
  ASSERT_TRUE(clock.QueryPerformanceFrequency(frequency));
  EXPECT_GT(frequency, 0);
  const std::int64_t before = clock.QueryPerformanceCounter();
  clock.Sleep(1);
  EXPECT_GT(clock.QueryPerformanceCounter(), before);
}

}  // namespace
}  // namespace tvx
