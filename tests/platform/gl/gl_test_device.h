// A GL backend with a device of its own hidden window, and helpers that send vertices
// through the dynamic buffers the way the canvas does, for pixel tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gl/GlGraphicsApi.h"

namespace tvx::test {

using gfx::TransformedVertex;

// Corners top-left, top-right, bottom-right, bottom-left; `textured` places them half a pixel
// up and left, as the canvas does for textured quads.
std::vector<TransformedVertex> QuadVertices(float left, float top, float right, float bottom,
                                            std::uint32_t diffuse, bool textured = false);

class GlDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A backend whose own window has the given size, with a windowed 640 x 480 device;
  // `prepareAhead` has the backend make its context ahead of the device, as the program does.
  void OpenDevice(int windowWidth, int windowHeight, GlPresentation presentation = {},
                  bool prepareAhead = false);

  // A8R8G8B8 by default: its alpha keeps what the stage and blending leave there.
  gfx::PresentParameters WindowedParameters(
      std::uint32_t width = 640, std::uint32_t height = 480,
      std::uint32_t backBufferFormat = gfx::format::A8R8G8B8) const;
  // Quads as indexed triangle lists (two triangles per four vertices).
  void DrawQuads(const std::vector<TransformedVertex>& vertices);
  void DrawLines(const std::vector<TransformedVertex>& vertices);
  void DrawPoints(const std::vector<TransformedVertex>& vertices);
  void SetBlend(std::uint32_t source, std::uint32_t destination, std::uint32_t op);
  // A texture of `format` whose level 0 is `texels` (row-major, one word per texel written
  // with the format's byte count).
  gfx::TextureHandle MakeTexture(std::uint32_t format, std::uint32_t width, std::uint32_t height,
                                 const std::vector<std::uint32_t>& texels);
  std::vector<std::uint32_t> Target();
  std::uint32_t Pixel(int x, int y);
  void BeginFrame(std::uint32_t clearColor);
  void EndFrame();  // ends the scene BeginFrame began, if any

  std::unique_ptr<GlGraphicsApi> api_;
  gfx::BufferHandle vertexBuffer_{};
  gfx::BufferHandle indexBuffer_{};

 private:
  void Upload(const std::vector<TransformedVertex>& vertices,
              const std::vector<std::uint16_t>& indices);
  std::vector<std::uint32_t> pixels_;
  bool pixelsValid_ = false;
  bool inScene_ = false;
};

}  // namespace tvx::test
