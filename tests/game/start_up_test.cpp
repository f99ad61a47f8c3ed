// Start-up: the refresh class, a device that will not start, and an archive that is
// missing or damaged.
#include <filesystem>
#include <fstream>

#include "game_fixture.h"
#include "timing/PxTimers.h"

namespace tvx::testing {
namespace {

struct Launch {
  TempFolder folder;
  gfx::RecordingGraphicsApi graphics;
  std::unique_ptr<GameHarness> harness;
  explicit Launch(int refreshRate = 60, bool withArchive = true) {
    graphics.SetLogging(false);
    if (withArchive) WriteTestArchive(folder.Path() + "resources.tvx");
    harness = std::make_unique<GameHarness>(graphics, folder.Path(), refreshRate);
  }
};

TEST(StartUp, TheTimerTicksAtTheRefreshClass) {
  for (auto [hz, expected] : {std::pair{60, 60}, {75, 75}, {84, 85}, {100, 100}, {119, 120}}) {
    Launch launch(hz);
    EXPECT_EQ(launch.harness->State().RefreshRate, expected);
    EXPECT_EQ(launch.harness->Form().Timer().Speed(), expected);
  }
}

TEST(StartUp, RatesOutsideTheClassesFallBackToSixty) {
  // Xvfb reports 0 and many monitors 144: without a class the road would never move.
  for (int hz : {0, 1, 59, 144}) {
    Launch launch(hz);
    EXPECT_EQ(launch.harness->State().RefreshRate, 60) << hz;
    EXPECT_EQ(launch.harness->Form().Timer().Speed(), 60.0);
    launch.harness->Start();
    launch.harness->StartLevel();
    launch.harness->RunPasses(1);
    EXPECT_EQ(launch.harness->State().ScrollSpeed, 5.0) << hz;
  }
}

TEST(StartUp, NothingRunsBeforeStartGame) {
  Launch launch;
  launch.harness->RunFor(500);
  EXPECT_FALSE(launch.harness->Form().Timer().Enabled());
  EXPECT_FALSE(launch.harness->State().DeviceReady);
  // Deactivation before the first frame does not minimise.
  launch.harness->app.QueueDeactivate();
  launch.harness->RunPasses(1);
  EXPECT_FALSE(launch.harness->app.Minimized());
}

TEST(StartUp, ADeviceThatWillNotStartIsReportedAndNoFrameRuns) {
  Launch launch;
  launch.graphics.FailAlways(gfx::Call::CreateDevice);
  launch.harness->app.ClickStart();
  launch.harness->RunFor(500);
  EXPECT_EQ(launch.harness->app.MessagesShown(),
            (std::vector<std::string>{"Erro ao inicializar o Device"}));
  EXPECT_FALSE(launch.harness->Form().Timer().Enabled());
  EXPECT_FALSE(launch.harness->State().DeviceReady);
  launch.harness->Press(vk::Escape);
  EXPECT_TRUE(launch.harness->app.Terminated());
}

TEST(StartUp, AMissingArchiveIsNamedAndTheProgramStopsWithAnError) {
  Launch launch(60, false);
  launch.harness->Start();
  ASSERT_EQ(launch.harness->app.MessagesShown().size(), 1u);
  const std::string& message = launch.harness->app.MessagesShown()[0];
  EXPECT_NE(message.find(launch.folder.Path() + "resources.tvx"), std::string::npos) << message;
  EXPECT_NE(message.find("fonts"), std::string::npos) << message;
  EXPECT_TRUE(launch.harness->app.Terminated());
  EXPECT_EQ(launch.harness->Form().ExitCode(), 1);
  EXPECT_FALSE(launch.harness->Form().Timer().Enabled());
  EXPECT_FALSE(std::filesystem::exists(launch.folder.Path() + "resources.tvx"));  // never created
}

TEST(StartUp, ADamagedArchiveIsNamedAndTheProgramStopsWithAnError) {
  Launch launch;
  {
    std::ofstream damage(launch.folder.Path() + "resources.tvx", std::ios::binary);
    damage << "PxDb garbage that is no table";
  }
  launch.harness->Start();
  ASSERT_EQ(launch.harness->app.MessagesShown().size(), 1u);
  EXPECT_EQ(launch.harness->Form().ExitCode(), 1);
}

TEST(StartUp, AnArchiveWithFontsButNoPicturesIsReported) {
  Launch launch(60, false);
  ASSERT_TRUE(WriteTestArchive(launch.folder.Path() + "resources.tvx", ArchiveContents::FontsOnly));
  launch.harness->Start();
  ASSERT_EQ(launch.harness->app.MessagesShown().size(), 1u);
  EXPECT_NE(launch.harness->app.MessagesShown()[0].find("pictures"), std::string::npos);
  EXPECT_EQ(launch.harness->Form().ExitCode(), 1);
}

}  // namespace
}  // namespace tvx::testing
