// The batching layer of the canvas: lines, untextured quads and textured quads collect in
// one vertex and one index array and go to the device in as few draw calls as possible. A
// batch is broken only by capacity, primitive kind, state key or bound texture; device
// states are set only when the tracked effect or texture changes, and every scene starts
// from a full state reset at its first primitive. While the device is lost, primitives still
// collect but each flush drops them.
#pragma once

#include <cstdint>
#include <memory>

#include "render/PxDef.h"
#include "render/PxDevices.h"

namespace tvx {

class TPxImage;

class TPx2D : public TPxDeviceSubscriber {
 public:
  static constexpr std::int32_t DefaultVertexCache = 4096;

  explicit TPx2D(TComponent* owner);
  ~TPx2D() override;

  bool HandleNotification(std::int32_t code) override;

  bool Initialized() const { return initialized_; }
  bool Lost() const { return lost_; }

  // Changes only while uninitialised.
  bool AlphaTesting() const { return alphaTesting_; }
  void SetAlphaTesting(bool value);
  // Raised to a multiple of 4, then clamped to 512..65536; changes only while uninitialised.
  std::int32_t VertexCache() const { return vertexCache_; }
  void SetVertexCache(std::int32_t value);
  bool Antialias() const { return antialias_; }
  void SetAntialias(bool value);
  bool Dithering() const { return dithering_; }
  void SetDithering(bool value);

  // Statistics since the last state reset.
  std::int32_t Batches() const { return batches_; }
  std::int32_t IndicesAdded() const { return indicesAdded_; }
  std::int32_t VerticesAdded() const { return verticesAdded_; }

  void DrawLine(const FloatPoint& p1, const FloatPoint& p2, CanvasColor color1, CanvasColor color2,
                DrawEffect effect);
  void FillQuad(const FloatQuad& quad, const CanvasColor4& colors, DrawEffect effect);
  void DrawTexturedQuad(const FloatQuad& quad, const FloatQuad& texCoords,
                        const CanvasColor4& colors, TPxImage* image, std::int32_t textureIndex,
                        DrawEffect effect);
  void DrawPatternQuad(TPxImage* image, const FloatQuad& quad, const CanvasColor4& colors,
                       const PatternSelection& selection, DrawEffect effect);
  void OutlineQuad(const FloatQuad& quad, const CanvasColor4& colors, DrawEffect effect);

  // Sends the pending batch now.
  void Flush();

 private:
  enum class PrimitiveKind : std::uint8_t { Lines, Triangles, None };
  static constexpr std::int32_t kNothingBound = -2;  // current texture index before any bind
  static constexpr std::int32_t kNoTexture = -1;

  bool Initialize();
  bool CreateBuffers();
  void ReleaseBuffers();
  void ReleaseAll();
  void EmptyBatch();
  void ResetStates();
  void PrepareBatch(PrimitiveKind kind, std::int32_t vertices, std::int32_t indices,
                    TPxImage* image, std::int32_t textureIndex, std::int32_t stateKey);
  void ApplyEffect(std::int32_t effect);
  void SetFilters();
  bool CopyToBuffer(gfx::BufferHandle buffer, const void* source, std::uint32_t bytes);
  void SendBatch();
  // Prepares a batch for one quad (tinted quads keyed apart from white ones), writes its
  // indices and answers its four vertices.
  gfx::TransformedVertex* AddQuad(TPxImage* image, std::int32_t textureIndex,
                                  const CanvasColor4& colors, DrawEffect effect);

  // The api of the device that created the buffers; set exactly while initialised.
  gfx::IGraphicsApi* api_ = nullptr;
  bool initialized_ = false;
  bool lost_ = false;
  std::int32_t vertexCache_ = DefaultVertexCache;
  gfx::BufferHandle vertexBuffer_{};
  gfx::BufferHandle indexBuffer_{};
  std::int32_t vertexCount_ = 0;
  std::int32_t indexCount_ = 0;
  std::int32_t primitiveCount_ = 0;
  bool batchTinted_ = false;  // a vertex of the batch has a diffuse other than white
  std::unique_ptr<gfx::TransformedVertex[]> vertices_;
  std::unique_ptr<std::uint16_t[]> indices_;
  PrimitiveKind kind_ = PrimitiveKind::None;
  TPxImage* currentImage_ = nullptr;
  std::int32_t currentTextureIndex_ = kNothingBound;
  std::int32_t currentEffect_ = EffectNone;
  bool needsReset_ = false;
  bool antialias_ = true;
  bool dithering_ = false;
  std::int32_t batches_ = 0;
  std::int32_t indicesAdded_ = 0;
  std::int32_t verticesAdded_ = 0;
  bool alphaTesting_ = true;
};

}  // namespace tvx
