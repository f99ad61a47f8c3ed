// The archive keys of the sounds the game plays by name, shared by the game, the asset
// builder that makes them and the tests. The first seven sounds of the
// archive are the level music slots and are played by index. The names are strings made
// once, so that the sound calls of every tick build none (most are too long to be stored
// inline).
#pragma once

#include <string>
#include <vector>

namespace tvx::sound {

inline const std::string TitleMusic = "moholithic.mp3";
inline const std::string IntroSting = "nextlevel.mp3";
inline const std::string GameOverMusic = "Aftermath451.mp3";
inline const std::string RankingMusic = "frequency.mp3";
inline const std::string JetEngine = "jetengine-firingup.mp3";
inline const std::string HotIdle = "hotidle.mp3";
inline const std::string Engine = "machine_1.mp3";
inline const std::string DoubleBeep = "beebee.mp3";
inline const std::string Beep = "bee.wav";

// Driving, contacts and the road.
inline const std::string SquealUp = "car_tire_squeal.mp3";
inline const std::string SquealDown = "tire_squeal.mp3";
inline const std::string SquealSide = "car_tire_squeal1.mp3";
inline const std::string RepairPickUp = "navigate_67.wav";
inline const std::string DizzyPickUp = "bubble.mp3";
inline const std::string Bang = "bang_1.wav";
inline const std::string Explode = "explode.mp3";
inline const std::string Crash = "crash.mp3";
inline const std::string BarrelDrop = "dropping_1.mp3";
inline const std::string Whoosh = "Whush1.mp3";

// Every sound played by name, in the archive's order after the music slots.
inline const std::vector<std::string> NamedSounds = {
    TitleMusic,   IntroSting,  GameOverMusic, RankingMusic, JetEngine, HotIdle,    Engine,
    RepairPickUp, DizzyPickUp, Bang,          Explode,      Crash,     BarrelDrop, SquealUp,
    SquealDown,   SquealSide,  Whoosh,        DoubleBeep,   Beep};

constexpr int MusicSlots = 7;
constexpr int ChosenMusicSlots = 6;  // slot 6 is stopped with the others but never chosen
// The volumes (0..100) the game sets before playing; every other sound plays at the sound
// system's load volume.
constexpr int LevelMusicVolume = 20;
constexpr int BeepVolume = 20;
constexpr int EngineVolume = 20;
constexpr int SquealUpVolume = 30;
constexpr int SquealDownVolume = 15;
constexpr int SquealSideVolume = 30;
constexpr int WhooshVolume = 25;
constexpr int ExplodeVolume = 20;
constexpr int CrashVolume = 75;
constexpr int HotIdleVolume = 15;

// The named sounds whose cues set a volume, with it; the asset builder levels each sound for
// the volume it is heard at, and the tests measure it so.
struct SetVolume {
  const std::string* name;
  int volume;
};
inline const SetVolume SetVolumes[] = {
    {&Beep, BeepVolume},         {&DoubleBeep, BeepVolume},       {&Engine, EngineVolume},
    {&SquealUp, SquealUpVolume}, {&SquealDown, SquealDownVolume}, {&SquealSide, SquealSideVolume},
    {&Whoosh, WhooshVolume},     {&Explode, ExplodeVolume},       {&Crash, CrashVolume},
    {&HotIdle, HotIdleVolume},
};

// The volume the game plays a named sound at: its cue's, else the sound system's load volume.
inline int PlayVolume(const std::string& name, int loadVolume) {
  for (const SetVolume& set : SetVolumes) {
    if (name == *set.name) return set.volume;
  }
  return loadVolume;
}

}  // namespace tvx::sound
