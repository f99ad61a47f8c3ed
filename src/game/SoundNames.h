// The archive keys of the sounds the game plays by name. The first seven sounds of the
// archive are the level music slots and are played by index.
#pragma once

namespace tvx::sound {

constexpr const char* TitleMusic = "moholithic.mp3";
constexpr const char* IntroSting = "nextlevel.mp3";
constexpr const char* GameOverMusic = "Aftermath451.mp3";
constexpr const char* RankingMusic = "frequency.mp3";
constexpr const char* JetEngine = "jetengine-firingup.mp3";
constexpr const char* HotIdle = "hotidle.mp3";
constexpr const char* Engine = "machine_1.mp3";
constexpr const char* DoubleBeep = "beebee.mp3";
constexpr const char* Beep = "bee.wav";

// Driving, contacts and the road.
constexpr const char* SquealUp = "car_tire_squeal.mp3";
constexpr const char* SquealDown = "tire_squeal.mp3";
constexpr const char* SquealSide = "car_tire_squeal1.mp3";
constexpr const char* RepairPickUp = "navigate_67.wav";
constexpr const char* DizzyPickUp = "bubble.mp3";
constexpr const char* Bang = "bang_1.wav";
constexpr const char* Explode = "explode.mp3";
constexpr const char* Crash = "crash.mp3";
constexpr const char* BarrelDrop = "dropping_1.mp3";
constexpr const char* Whoosh = "Whush1.mp3";

constexpr int MusicSlots = 7;
constexpr int ChosenMusicSlots = 6;  // slot 6 is stopped with the others but never chosen
constexpr int LevelMusicVolume = 20;
constexpr int BeepVolume = 20;

}  // namespace tvx::sound
