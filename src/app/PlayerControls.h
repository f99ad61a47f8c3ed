// Connects the player's inputs and sound choices around the game, without touching its rules:
// the keyboard state gets the steering of bound keys and pads, the router learns when the
// ranking screen takes a name and the ranking screen draws the pad's letter, and the game's
// music sounds are marked for the music volume as they load.
#pragma once

#include "app/CommandLine.h"
#include "game/Form1.h"
#include "platform/audio/SdlAudioLibrary.h"
#include "platform/sdl/SdlApplication.h"
#include "platform/sdl/SdlKeyboardDevice.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"

namespace tvx {

// Before the form exists: bound keys and the keyboard's extra slots.
void ConnectInputs(SdlApplication& application, SdlKeyboardDevice& keyboard,
                   const Settings& settings);
// Once the form exists; DisconnectForm before it goes.
void ConnectForm(SdlApplication& application, TForm1& form, SdlAudioLibrary* audio);
void DisconnectForm(SdlApplication& application);

// F10: mute on or off now, and remembered in the file. `settings` holds this run's values (a
// --mute included); only the toggled mute goes to the file, never the command line's.
// `toggled` hears of each press once it is done.
void ConnectMuteToggle(SdlApplication& application, SdlAudioLibrary& audio, SettingsFile& file,
                       Settings& settings, std::function<void()> toggled = {});
MixLevels LevelsOf(const Settings& settings);

// This run's display: the settings, with --fullscreen, --windowed and --scale on top.
DisplayOptions DisplayOf(const Settings& settings, const LaunchOptions& options);
// A scale chosen on the command line is the player's choice from now on.
void RememberScale(SettingsFile& file, std::optional<ScaleMode> scale);
// Alt+Enter and F11 switch full screen; the mode the player leaves it in is remembered.
void ConnectDisplayMemory(SdlApplication& application, SettingsFile& file);

}  // namespace tvx
