// Fuzz target for image records: the input is parsed as an image record onto a device over the
// recording graphics double, as the image list does; an image that loads has its first
// patterns drawn through a canvas, so the geometry taken from the header is exercised too.
#include <algorithm>
#include <cstdint>

#include "core/MemoryStream.h"
#include "harness/RenderRig.h"
#include "platform/doubles/RecordingGraphicsApi.h"

namespace {

constexpr std::int32_t kPatternsDrawn = 8;

struct Scene {
  Scene() {
    api.SetLogging(false);
    device->Initialize();
  }
  tvx::gfx::RecordingGraphicsApi api;
  tvx::testing::RenderRig rig{api, {.canvas = true}};
  tvx::TPxDevice* device = rig.device;
  tvx::TPxCanvas* canvas = rig.canvas;
};

// Built once: libFuzzer exits without running destructors.
Scene& TheScene() {
  static Scene* scene = new Scene;
  return *scene;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Scene& scene = TheScene();
  tvx::TMemoryStream stream;
  stream.Write(data, size);
  stream.Seek(0);
  tvx::TPxImage image(scene.device);
  if (!image.LoadFromStream(stream)) return 0;
  if (!scene.device->BeginFrame()) return 0;
  const std::int32_t patterns = std::min(image.PatternCount(), kPatternsDrawn);
  for (std::int32_t pattern = -1; pattern <= patterns; ++pattern) {
    scene.canvas->DrawImage(&image, pattern, 10.0, 20.0, tvx::EffectAlphaBlend);
    scene.canvas->DrawImageScaled(&image, pattern, 100.0, 100.0, 1.5, tvx::EffectAdditive);
  }
  scene.device->EndFrame();
  return 0;
}
