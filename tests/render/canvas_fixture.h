// A canvas attached to an initialised device on the recording double, with real images and
// a capture of every batch that reaches the device (its vertices and indices as drawn).
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "harness/RenderRig.h"
#include "platform/doubles/RecordingGraphicsApi.h"

namespace tvx::testing {

struct DrawnBatch {
  std::uint32_t type = 0;
  std::uint32_t primitives = 0;
  std::vector<gfx::TransformedVertex> vertices;
  std::vector<std::uint16_t> indices;
  bool untinted = false;  // what the canvas told the backend
};

class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    api.SetDrawObserver([this](const gfx::CallRecord& draw) { Capture(draw); });
    ASSERT_TRUE(device->Initialize());
    ASSERT_TRUE(canvas->Initialized());
  }

  void BeginScene() { ASSERT_TRUE(device->BeginFrame()); }
  void EndScene() { ASSERT_TRUE(device->EndFrame()); }

  // A 64 x 64 texture of four 32 x 32 patterns per texture, `textures` textures.
  std::unique_ptr<TPxImage> MakeImage(std::int32_t textures = 1) {
    auto image = std::make_unique<TPxImage>(device);
    image->SetWidth(64);
    image->SetHeight(64);
    image->SetCellSize({32, 32});
    image->SetDrawSize({32, 32});
    image->SetTextureCount(textures);
    image->SetState(TextureState::Active);
    EXPECT_EQ(image->State(), TextureState::Active);
    return image;
  }

  std::uint64_t Draws() const { return api.Count(gfx::Call::DrawIndexedPrimitive); }

  std::vector<gfx::CallRecord> RenderStateCalls(std::uint32_t state) const {
    std::vector<gfx::CallRecord> found;
    for (const auto& call : api.Calls(gfx::Call::SetRenderState)) {
      if (call.args[0] == state) found.push_back(call);
    }
    return found;
  }

  gfx::RecordingGraphicsApi api;
  RenderRig rig{api, {.canvas = true}};
  TPxDevice* device = rig.device;
  TPxCanvas* canvas = rig.canvas;
  std::vector<DrawnBatch> batches;

 private:
  void Capture(const gfx::CallRecord& draw) {
    DrawnBatch batch;
    batch.type = draw.args[0];
    batch.primitives = draw.args[5];
    batch.untinted = api.Untinted();
    const auto& vertexBytes = api.BufferData(api.StreamSource());
    batch.vertices.resize(draw.args[3]);
    std::memcpy(batch.vertices.data(), vertexBytes.data(),
                batch.vertices.size() * sizeof(gfx::TransformedVertex));
    const auto& indexBytes = api.BufferData(api.BoundIndices());
    batch.indices.resize(draw.args[5] * (batch.type == gfx::prim::LineList ? 2 : 3));
    std::memcpy(batch.indices.data(), indexBytes.data(), batch.indices.size() * 2);
    batches.push_back(std::move(batch));
  }
};

}  // namespace tvx::testing
