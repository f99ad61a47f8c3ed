// Fuzz target for font records: the input becomes the one font record of an archive, which the
// font list loads as the game does; a font that loads draws a text of every character code,
// with and without colour tags, through a canvas on the recording graphics double.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "archive/PxDb.h"
#include "archive_writer/pxdb_writer.h"
#include "harness/RenderRig.h"
#include "platform/doubles/RecordingGraphicsApi.h"

namespace {

struct Scene {
  Scene() {
    api.SetLogging(false);
    device->Initialize();
  }
  tvx::gfx::RecordingGraphicsApi api;
  tvx::testing::RenderRig rig{api, {.fonts = true}};
  tvx::TPxFonts* fonts = rig.fonts;
  tvx::TPxDevice* device = rig.device;
  tvx::TPxCanvas* canvas = rig.canvas;
};

// Built once: libFuzzer exits without running destructors.
Scene& TheScene() {
  static Scene* scene = new Scene;
  return *scene;
}

// One scratch archive per process, memory-backed where possible (see the archive target).
const std::string& ScratchPath() {
  static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                  "/tvx_font_fuzz_" + std::to_string(getpid()) + ".tvx";
  return path;
}

const std::string& EveryCharacter() {
  static const std::string text = [] {
    std::string all;
    for (int code = 1; code < 256; ++code) all.push_back(static_cast<char>(code));
    return all + "#$FF00FF00A&$8000FFFFB0xFFFFFFFFC#$";
  }();
  return text;
}

void DrawWith(Scene& scene, tvx::TPxFont& font) {
  if (!scene.device->BeginFrame()) return;
  for (const bool tags : {true, false}) {
    font.TextTags = tags;
    font.TextOut(EveryCharacter(), 4.0, 8.0, 0xFFFFFFFF, 0xFF808080, tvx::EffectAlphaBlend);
  }
  scene.device->EndFrame();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Scene& scene = TheScene();
  tvx::PxDbWriter writer;
  writer.Add("Font0", tvx::FontRecordType, {data, data + size});
  std::string error;
  if (!writer.WriteFile(ScratchPath(), error)) return 0;
  {
    tvx::TPxDb archive(nullptr);
    archive.SetFileName(ScratchPath());
    archive.OpenMode = tvx::TOpenModes::opReadOnly;
    if (scene.fonts->LoadFromPxDb(archive)) DrawWith(scene, *scene.fonts->Items(0));
  }
  scene.fonts->FreeAll();
  std::remove(ScratchPath().c_str());
  return 0;
}
