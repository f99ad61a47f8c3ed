// The smallest data the silent audio library takes for each kind of sound: just the header
// its format check looks for, padded with zeros. Tests and the test archive load these.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvx {

std::vector<std::uint8_t> FakeWave();
std::vector<std::uint8_t> FakeMp3();
std::vector<std::uint8_t> FakeOgg();
std::vector<std::uint8_t> FakeModule();
// The fake of the kind the key's extension names (.wav, .mp3, .ogg, .xm); empty for others.
std::vector<std::uint8_t> FakeSoundFile(const std::string& key);

}  // namespace tvx
