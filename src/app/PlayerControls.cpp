#include "app/PlayerControls.h"

#include <cstdio>
#include <string_view>

#include "game/SoundGroups.h"
#include "settings/KeyNames.h"
#include "settings/PadNames.h"
#include "sound/SoundData.h"
#include "sound/SoundSystem.h"

namespace tvx {

namespace {

void RememberOrWarn(SettingsFile& file, const Settings& values) {
  std::string error;
  if (!file.Remember(values, error))
    std::fprintf(stderr, "tarvex: settings not saved: %s\n", error.c_str());
}

}  // namespace

void ConnectInputs(SdlApplication& application, SdlKeyboardDevice& keyboard,
                   const Settings& settings) {
  application.Input().SetBoundKeys(BoundKeysOf(settings));
  application.Input().SetPadBindings(PadBindingsOf(settings));
  keyboard.SetExtraSlots([&application](std::uint8_t* state) { application.AddHeldInputs(state); });
}

void ConnectForm(SdlApplication& application, TForm1& form, SdlAudioLibrary* audio) {
  InputRouter& input = application.Input();
  input.SetNameEntryQuery([&form] { return form.WaitsForName(); });
  // The letter shows only with a pad plugged in; a keyboard player has no use for it.
  form.NameCandidate = [&application, &input] {
    return application.PadCount() > 0 ? input.CandidateLetter() : '\0';
  };
  if (audio == nullptr) return;
  // Once every sound is loaded, the game's music is marked for the music volume.
  form.OnLoadStep = [audio, &form](const char* step) {
    if (std::string_view(step) != "sounds") return;
    // The sound system has tried to open the device by now.
    if (!audio->DeviceOpen()) std::fputs("no audio device: playing without sound\n", stderr);
    const TSoundSystem& sounds = form.SoundSystem1();
    for (int index = 0; index < sounds.Count(); ++index) {
      const TSoundData* sound = sounds.Sound(index);
      if (IsMusicSound(index, sound->Name())) audio->SetMusic(sound->Handle());
    }
  };
}

void DisconnectForm(SdlApplication& application) { application.Input().SetNameEntryQuery({}); }

MixLevels LevelsOf(const Settings& settings) {
  return {settings.masterVolume, settings.musicVolume, settings.effectsVolume, settings.mute};
}

void ConnectMuteToggle(SdlApplication& application, SdlAudioLibrary& audio, SettingsFile& file,
                       Settings& settings, std::function<void()> toggled) {
  application.Input().SetOnToggleMute([&audio, &file, &settings, toggled = std::move(toggled)] {
    settings.mute = !settings.mute;
    audio.SetMixLevels(LevelsOf(settings));
    Settings remembered = file.Remembered();
    remembered.mute = settings.mute;
    RememberOrWarn(file, remembered);
    if (toggled) toggled();
  });
}

DisplayOptions DisplayOf(const Settings& settings, const LaunchOptions& options) {
  DisplayOptions display;
  display.fullscreen = options.fullscreen.value_or(settings.fullscreen);
  display.scale = options.scale.value_or(settings.scale);
  display.pauseOnFocusLoss = settings.pauseOnFocusLoss;
  display.smoothMotion = settings.smoothMotion;
  return display;
}

void RememberScale(SettingsFile& file, std::optional<ScaleMode> scale) {
  if (!scale || *scale == file.Remembered().scale) return;
  Settings remembered = file.Remembered();
  remembered.scale = *scale;
  RememberOrWarn(file, remembered);
}

void ConnectDisplayMemory(SdlApplication& application, SettingsFile& file) {
  application.SetOnDisplayChanged([&file](const DisplayOptions& display) {
    Settings remembered = file.Remembered();
    remembered.fullscreen = display.fullscreen;
    RememberOrWarn(file, remembered);
  });
}

}  // namespace tvx
