// The render parts the main window owns, built on any graphics API for the tests, fuzz
// replays and benchmarks that draw without the game: a device and, as asked for, a canvas, an
// image list and a font list subscribed to it (the font list draws through the canvas), all
// owned by one root component. The API must outlive the rig; the device is not initialised.
#pragma once

#include "core/Component.h"
#include "render/PxCanvas.h"
#include "render/PxDevices.h"
#include "render/PxFonts.h"
#include "render/PxImages.h"

namespace tvx::testing {

struct RenderParts {
  bool canvas = false;
  bool images = false;
  bool fonts = false;  // brings the canvas with it
};

class RenderRig {
 public:
  explicit RenderRig(gfx::IGraphicsApi& api, RenderParts parts = {}) {
    // Made first, the font list takes the device and the canvas as they join the owner.
    if (parts.fonts) fonts = CreateComponent<TPxFonts>(&root);
    device = CreateComponent<TPxDevice>(&root, api);
    if (parts.canvas || parts.fonts) {
      canvas = CreateComponent<TPxCanvas>(&root);
      canvas->SetPublisher(device);
    }
    if (parts.images) {
      images = CreateComponent<TPxImages>(&root);
      images->SetPublisher(device);
    }
  }
  RenderRig(const RenderRig&) = delete;
  RenderRig& operator=(const RenderRig&) = delete;

  TComponent root{nullptr};
  TPxDevice* device = nullptr;
  TPxCanvas* canvas = nullptr;
  TPxImages* images = nullptr;
  TPxFonts* fonts = nullptr;
};

}  // namespace tvx::testing
