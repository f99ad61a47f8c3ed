// An image. A TPxImage is a set of equal textures, each a grid of equal
// cells; every cell holds one pattern (an animation frame or variant) whose drawn part is
// centred in it. Patterns are numbered row by row within a texture, then texture by
// texture. Prepare checks the geometry and picks the first texture format the device
// accepts from a list steered by AlphaLevel and Quality; LoadFromStream parses an image
// record into the textures, converting pixels only where the formats differ, at once or, given
// the archive record's stored bytes, at the textures' first use.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "archive/RecordCodec.h"
#include "core/MemoryStream.h"
#include "render/PxDef.h"
#include "render/PxPixelFormats.h"
#include "render/PxTextures.h"

namespace tvx {

class TPxImage : public TPxMultiTexture {
 public:
  // Largest texture side an image record may ask for.
  static constexpr std::int32_t MaxTextureSize = 8192;

  explicit TPxImage(TPxDevice* device);

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // Quality, AlphaLevel and the geometry change only while Inactive.
  TPxQuality Quality() const { return quality_; }
  void SetQuality(TPxQuality value);
  TAlphaLevel AlphaLevel() const { return alphaLevel_; }
  void SetAlphaLevel(TAlphaLevel value);
  Point2i CellSize() const { return cellSize_; }
  void SetCellSize(Point2i value);
  Point2i DrawSize() const { return drawSize_; }
  void SetDrawSize(Point2i value);
  std::int32_t PatternCount() const { return patternCount_; }
  void SetPatternCount(std::int32_t value);
  std::int32_t PatternsPerRow() const { return patternsPerRow_; }
  std::int32_t PatternsPerColumn() const { return patternsPerColumn_; }
  std::int32_t PatternsPerTexture() const { return patternsPerTexture_; }

  // The texture and texture coordinates of a selection; false for an image that is not
  // Active or has no textures or patterns.
  bool PatternCoordinates(const PatternSelection& selection, FloatQuad& texCoords,
                          std::int32_t& textureIndex) const;

  // Parses an image record from the stream's position and leaves the image Active with its
  // pixels; on failure the image is Inactive and holds no textures.
  bool LoadFromStream(TMemoryStream& stream);
  // The same parse and checks for a stream holding exactly the data of the archive record
  // `record` was kept from; the pixels stay in that record, still deflated, until a texture is
  // first bound or locked. A picture not shown yet then costs its stored size, not its
  // textures. The image keeps the stream for a fill until DropLoadedRecord.
  bool LoadFromStream(TMemoryStream&& stream, TStoredRecord record);
  // Frees the record data a load handed over; a first fill after this inflates the stored
  // bytes again. The lists call it once the frame they loaded in has been drawn.
  void DropLoadedRecord();
  // Fills the textures now if the load left them for their first use: for pictures whose
  // first appearance should not cost its frame the fill.
  void FillTextures();

  bool BindTexture(std::uint32_t stage, std::int32_t index) override;
  bool LockTexture(std::int32_t index, std::int32_t mode, TLockInfo& info) override;
  bool LockTextureRect(std::int32_t index, const gfx::Rect& rect, std::int32_t mode,
                       TLockInfo& info) override;

 protected:
  bool Prepare() override;
  void ReleaseTextures() override;

 private:
  // Pixels a load left in their record: the record's data while the load's frame lasts,
  // where the rows begin in that data, and their format.
  struct PendingPixels {
    TStoredRecord record;
    TMemoryStream loaded;
    std::size_t rowsAt = 0;
    PixelFormat stored = PixelFormat::pfA8R8G8B8;
  };

  bool Load(TMemoryStream& stream, TStoredRecord* record);
  bool PrepareGeometry();
  bool ChooseFormat();
  template <class Rows>
  bool ReadPixels(Rows& rows, PixelFormat stored);

  std::string name_ = "[unnamed]";
  TPxQuality quality_ = TPxQuality::pqHigh;
  TAlphaLevel alphaLevel_ = TAlphaLevel::alFull;
  std::int32_t patternsPerRow_ = 0;
  std::int32_t patternsPerColumn_ = 0;
  std::int32_t patternsPerTexture_ = 0;
  Point2i drawSize_{0, 0};
  Point2i cellSize_{0, 0};
  std::int32_t patternCount_ = 0;
  std::optional<PendingPixels> pending_;
};

}  // namespace tvx
