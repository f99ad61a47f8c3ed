// The options screen in the running program. O or RB on the title opens it; while it shows it
// takes every key and pad press before the game (F10 and F11 still work). Each change is
// applied at once: the window mode and scaling, the volumes (a beep says how loud effects
// are now; the title music plays on), pause on focus loss, and the bindings the input router
// turns into the game's own keys. Leaving saves the settings file as F10 does, with only what
// changed on the screen, so that this run's command line is not written; a failure is said on
// the title. It also draws the program's short messages over any screen: F10's mute state for
// two seconds, and what could not be saved.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game/Form1.h"
#include "options/OptionsMenu.h"
#include "platform/Clock.h"
#include "platform/audio/SdlAudioLibrary.h"
#include "platform/gl/GlGraphicsApi.h"
#include "platform/sdl/SdlApplication.h"
#include "settings/SettingsFile.h"

namespace tvx {

class OptionsScreen : public InputTaker {
 public:
  // `settings` holds this run's values and is kept up to date with the screen's changes.
  OptionsScreen(SdlApplication& application, GlGraphicsApi& graphics, SdlAudioLibrary& audio,
                IClock& clock, SettingsFile& file, Settings& settings);
  ~OptionsScreen() override;
  OptionsScreen(const OptionsScreen&) = delete;
  OptionsScreen& operator=(const OptionsScreen&) = delete;

  // Once the form exists; Disconnect before it goes.
  void Connect(TForm1& form);
  void Disconnect();

  // A line at the foot of the screen for two seconds.
  void Say(std::string text);
  // F10 was pressed: the screen shows the new mute state.
  void MuteToggled();

  bool Open() const { return menu_.has_value(); }

  bool TakeKey(std::uint8_t slot, std::uint16_t virtualKey, bool repeat) override;
  bool TakePad(PadButton button) override;

 private:
  void Show();
  void Command(MenuCommand command);
  void Apply();
  void Leave();
  void Draw();
  bool IsBound(BoundInput input, std::uint8_t slot) const;

  SdlApplication& application_;
  GlGraphicsApi& graphics_;
  SdlAudioLibrary& audio_;
  IClock& clock_;
  SettingsFile& file_;
  Settings& settings_;
  TForm1* form_ = nullptr;
  std::optional<OptionsMenu> menu_;
  Settings opened_;  // the values as the screen opened
  std::string notice_;
  std::uint32_t noticeUntil_ = 0;
};

}  // namespace tvx
