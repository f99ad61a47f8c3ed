// The settings file: every setting survives a write and a read; a damaged or unreadable file
// starts the game with warnings and nothing good in it is lost when it is written again.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/SettingsFile.h"
#include "settings/SettingsTable.h"

namespace tvx {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("tvx_settings_" + std::to_string(getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    path = (folder / "tarvex" / "settings.ini").string();
  }
  void TearDown() override {
    chmod(path.c_str(), 0644);
    fs::remove_all(folder);
  }

  void WriteFile(const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path folder;
  std::string path;
};

Settings EverySettingChanged() {
  Settings s;
  s.fullscreen = false;
  s.scale = ScaleMode::Integer;
  s.pauseOnFocusLoss = false;
  s.smoothMotion = false;
  s.masterVolume = 0;
  s.musicVolume = 37;
  s.effectsVolume = 99;
  s.mute = true;
  s.extraKeys = {{{"W"}, {"S"}, {"A", "Keypad 4"}, {"D"}, {"Space"}, {"Backspace"}, {"Left Alt"}}};
  s.padButtons = {{{"Y"}, {"A"}, {"LB"}, {"RS"}, {"Start"}, {"DPad Up"}, {"X", "B"}}};
  return s;
}

TEST_F(SettingsFileTest, EverySettingRoundTripsThroughANewFile) {
  const Settings changed = EverySettingChanged();
  // Each row of the table writes something other than its default.
  for (const SettingRow& row : SettingRows()) {
    EXPECT_NE(row.format(changed), row.format(Settings{})) << row.name;
  }
  SettingsFile file(path);
  std::vector<std::string> warnings;
  EXPECT_EQ(file.Load(warnings), Settings{});
  std::string error;
  ASSERT_TRUE(file.Remember(changed, error)) << error;

  SettingsFile again(path);
  EXPECT_EQ(again.Load(warnings), changed);
  EXPECT_TRUE(warnings.empty());
  const std::string text = ReadFile(path);
  EXPECT_NE(text.find("[keys]\n"), std::string::npos);
  EXPECT_NE(text.find("left = A, Keypad 4\n"), std::string::npos);
  EXPECT_NE(text.find("[pad]\n"), std::string::npos);
  EXPECT_NE(text.find("control = X, B\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(path + ".damaged"));
}

TEST_F(SettingsFileTest, DamagedFileWarnsPerLineAndKeepsEveryGoodLine) {
  using namespace std::string_literals;
  const std::string damaged =
      "# my settings\n"                  // 1
      "[sound]\n"                        // 2
      "master_volume = loud\n"           // 3: bad number
      "music_volume = 140\n"             // 4: out of range
      "effects_volume = 40 ; quieter\n"  // 5
      "colour = red\n"                   // 6: unknown key
      "\x01\xff\xfe garbage \x00 = 3\n"  // 7: binary
      "no equals sign here\n"            // 8
      "[keys]\n"                         // 9
      "left = a, bogus\n"                // 10: one unknown key name
      "[display]\n"                      // 11
      "scale = integer\n"                // 12
      "smooth_motion = sometimes\n"      // 13: not a boolean
      "[pad]\n"                          // 14
      "enter = start, Turbo\n"           // 15: one unknown button name
      "escape = Turbo\n"                 // 16: no button left: the default stays
      "control =\n"s;                    // 17: none at all: the default stays
  WriteFile(damaged);
  SettingsFile file(path);
  std::vector<std::string> warnings;
  const Settings loaded = file.Load(warnings);

  std::string all;
  for (const std::string& w : warnings) all += w + "\n";
  for (int line : {3, 4, 6, 7, 8, 10, 13, 15, 16, 17}) {
    EXPECT_NE(all.find(path + ":" + std::to_string(line) + ": "), std::string::npos)
        << "no warning for line " << line << " in\n"
        << all;
  }
  EXPECT_EQ(warnings.size(), 10u) << all;
  EXPECT_EQ(loaded.masterVolume, 100);
  EXPECT_EQ(loaded.musicVolume, 100);
  EXPECT_EQ(loaded.effectsVolume, 40);
  EXPECT_EQ(loaded.scale, ScaleMode::Integer);
  EXPECT_TRUE(loaded.smoothMotion);  // the default stays
  EXPECT_EQ(loaded.extraKeys[static_cast<std::size_t>(BoundInput::Left)],
            std::vector<std::string>{"A"});
  EXPECT_EQ(loaded.padButtons[static_cast<std::size_t>(BoundInput::Enter)],
            std::vector<std::string>{"Start"});
  EXPECT_EQ(loaded.padButtons[static_cast<std::size_t>(BoundInput::Escape)],
            DefaultPadButtons()[static_cast<std::size_t>(BoundInput::Escape)]);
  EXPECT_EQ(loaded.padButtons[static_cast<std::size_t>(BoundInput::Control)],
            DefaultPadButtons()[static_cast<std::size_t>(BoundInput::Control)]);

  Settings muted = loaded;
  muted.mute = true;
  std::string error;
  ASSERT_TRUE(file.Remember(muted, error)) << error;
  const std::string text = ReadFile(path);
  for (const char* kept :
       {"# my settings\n", "effects_volume = 40 ; quieter\n", "colour = red\n", "scale = integer\n",
        "mute = true\n", "master_volume = 100\n", "left = A\n", "fullscreen = true\n"}) {
    EXPECT_NE(text.find(kept), std::string::npos) << kept << " missing from\n" << text;
  }
  EXPECT_EQ(text.find("garbage"), std::string::npos);
  EXPECT_EQ(ReadFile(path + ".damaged"), damaged);  // the dropped lines are kept aside

  // The written file reads back clean and as remembered.
  SettingsFile again(path);
  warnings.clear();
  Settings expected = muted;
  expected.musicVolume = 100;
  EXPECT_EQ(again.Load(warnings), expected);
  EXPECT_EQ(warnings.size(), 1u);  // the unknown key stays, and so does its warning
}

TEST_F(SettingsFileTest, UnreadableFileGivesDefaultsAndIsNeverWrittenOver) {
  if (geteuid() == 0) {
    fs::create_directories(path);  // even root cannot read a folder as a file
  } else {
    WriteFile("[sound]\nmute = true\n");
    chmod(path.c_str(), 0);
  }
  SettingsFile file(path);
  std::vector<std::string> warnings;
  EXPECT_EQ(file.Load(warnings), Settings{});
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("cannot be read"), std::string::npos);
  Settings changed;
  changed.fullscreen = false;
  std::string error;
  EXPECT_FALSE(file.Remember(changed, error));
  EXPECT_FALSE(error.empty());
  if (geteuid() != 0) {
    chmod(path.c_str(), 0644);
    EXPECT_EQ(ReadFile(path), "[sound]\nmute = true\n");
  }
}

TEST_F(SettingsFileTest, AFifoWhereTheFileBelongsIsRefusedWithoutWaiting) {
  fs::create_directories(fs::path(path).parent_path());
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);  // opening it for reading would block for good
  SettingsFile file(path);
  std::vector<std::string> warnings;
  EXPECT_EQ(file.Load(warnings), Settings{});
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("not a regular file"), std::string::npos) << warnings[0];
  EXPECT_EQ(fs::status(path).type(), fs::file_type::fifo);
}

TEST_F(SettingsFileTest, EachDamagedFileIsKeptAsideUnderItsOwnNumber) {
  Settings muted;
  muted.mute = true;
  for (const char* damaged : {"first junk\n", "second junk\n"}) {
    WriteFile(damaged);
    SettingsFile file(path);
    std::vector<std::string> warnings;
    file.Load(warnings);
    std::string error;
    ASSERT_TRUE(file.Remember(muted, error)) << error;
  }
  EXPECT_EQ(ReadFile(path + ".damaged"), "first junk\n");
  EXPECT_EQ(ReadFile(path + ".damaged.1"), "second junk\n");
}

TEST_F(SettingsFileTest, AFailedWriteGivesItsRealCauseAndTellsTheNotice) {
  SettingsFile file(path);
  std::vector<std::string> warnings;
  file.Load(warnings);
  // The temporary file's place is taken by a folder that cannot simply be removed.
  const std::string temporary = path + ".tmp" + std::to_string(getpid());
  fs::create_directories(temporary + "/inside");
  std::string told;
  file.SetFailureNotice([&told](const std::string& error) { told = error; });
  Settings muted;
  muted.mute = true;
  std::string error;
  EXPECT_FALSE(file.Remember(muted, error));
  EXPECT_NE(error.find(std::strerror(EISDIR)), std::string::npos) << error;
  EXPECT_EQ(told, error);
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(SettingsFileTest, TemporaryFilesOfKilledCopiesAreClearedAtTheNextLoad) {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  ASSERT_GT(child, 0);
  waitpid(child, nullptr, 0);  // a process that is surely gone
  WriteFile("[sound]\nmute = true\n");
  const std::string gone = path + ".tmp" + std::to_string(child);
  const std::string alive = path + ".tmp" + std::to_string(getppid());
  std::ofstream(gone) << "half a file";
  std::ofstream(alive) << "being written";
  SettingsFile file(path);
  std::vector<std::string> warnings;
  EXPECT_TRUE(file.Load(warnings).mute);
  EXPECT_FALSE(fs::exists(gone));
  EXPECT_TRUE(fs::exists(alive));
}

TEST_F(SettingsFileTest, UnchangedSettingsAreNotWrittenAndThePathFollowsXdg) {
  SettingsFile file(path);
  std::vector<std::string> warnings;
  std::string error;
  EXPECT_TRUE(file.Remember(file.Load(warnings), error));
  EXPECT_FALSE(fs::exists(path));

  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string before = saved ? saved : "";
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(DefaultSettingsPath(), "/cfg/tarvex/settings.ini");
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
  setenv("HOME", "/home/player", 1);
  EXPECT_EQ(DefaultSettingsPath(), "/home/player/.config/tarvex/settings.ini");
  if (saved)
    setenv("XDG_CONFIG_HOME", before.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace tvx
