// Times the load of every sound of an archive through the sound system and the real audio
// library (SDL's dummy output), and shows how much resident memory each load adds: a stream
// adds about its file's bytes (it plays from them), far below its decoded size, while a
// sample holds its decoded frames. Usage: sound_load_bench [archive], default <bin>/resources.tvx;
// with no archive there, one of generated sounds is written to a temporary file and measured.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "archive/PxDb.h"
#include "archive_writer/pxdb_writer.h"
#include "harness/TestSounds.h"
#include "platform/audio/SdlAudioLibrary.h"
#include "sound/SoundSystem.h"

namespace {

using Clock = std::chrono::steady_clock;

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

const char* KindName(tvx::TSoundKind kind) {
  switch (kind) {
    case tvx::TSoundKind::skModule:
      return "module";
    case tvx::TSoundKind::skMp3:
      return "mp3";
    case tvx::TSoundKind::skOgg:
      return "ogg";
    case tvx::TSoundKind::skWave:
      return "wav";
    case tvx::TSoundKind::skNone:
      break;
  }
  return "-";
}

std::string GeneratedArchive() {
  const std::size_t minute = 44100 * 60;
  tvx::PxDbWriter writer;
  writer.Add("minute.mp3", 0, tvx::test::MakeMp3(minute));
  writer.Add("minute.ogg", 0, tvx::test::MakeOgg(minute));
  writer.Add("tune.mod", 0, tvx::test::MakeModule(64));
  writer.Add("two_seconds.wav", 0, tvx::test::MakeWave(2 * 44100));
  const std::string path =
      (std::filesystem::temp_directory_path() / "tvx_sound_bench.tvx").string();
  std::string error;
  if (!writer.WriteFile(path, error)) {
    std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
    return "";
  }
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : std::string(TVX_BIN_DIR) + "/resources.tvx";
  if (argc <= 1 && !std::filesystem::exists(path)) {
    std::printf("no %s; measuring generated sounds instead\n", path.c_str());
    path = GeneratedArchive();
    if (path.empty()) return 0;
  }
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);

  tvx::SdlAudioLibrary audio;
  tvx::TSoundSystem sounds(nullptr, audio, [](tvx::TComponent*, const std::string& text) {
    std::printf("error: %s\n", text.c_str());
  });
  tvx::TPxDb archive(nullptr);
  archive.OpenMode = tvx::TOpenModes::opReadOnly;
  archive.SetFileName(path);
  if (!archive.EnsureOpen()) {
    std::printf("cannot open %s\n", path.c_str());
    return 0;
  }

  std::printf("archive %s: %d records\n", path.c_str(), archive.RecordCount());
  std::printf("%-28s %-7s %10s %10s %14s\n", "key", "kind", "file KiB", "load ms", "resident +KiB");
  double totalMs = 0.0;
  long totalFileKiB = 0;
  const long residentBefore = ResidentKiB();
  for (int i = 0; i < archive.RecordCount(); ++i) {
    const std::string key = archive.RecordKey(i);
    const tvx::TSoundKind kind = tvx::SoundKindOf(key);
    if (kind == tvx::TSoundKind::skNone) continue;
    const long before = ResidentKiB();
    const auto start = Clock::now();
    const bool loaded = sounds.LoadSound(key, archive);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const long after = ResidentKiB();
    long bytesKiB = 0;
    if (const tvx::TRecordInfo* info = archive.RecordInfo(i)) {
      bytesKiB = static_cast<long>(info->OrigSize / 1024);
    }
    totalMs += ms;
    totalFileKiB += bytesKiB;
    // The growth includes the file's bytes, which the sound keeps for its stream.
    std::printf("%-28s %-7s %10ld %10.2f %14ld%s\n", key.c_str(), KindName(kind), bytesKiB, ms,
                after - before, loaded ? "" : "  (failed)");
  }
  const long residentAfter = ResidentKiB();
  std::printf("%d sounds loaded in %.1f ms; files %ld KiB; resident memory grew %ld KiB\n",
              sounds.Count(), totalMs, totalFileKiB, residentAfter - residentBefore);
  std::printf("(a minute of stereo float at 44100 Hz decoded whole would be %ld KiB)\n",
              static_cast<long>(44100L * 60 * 2 * sizeof(float) / 1024));
  return 0;
}
