// Images and the image list. A TPxImage is a set of equal textures, each a grid of equal
// cells; every cell holds one pattern (an animation frame or variant) whose drawn part is
// centred in it. Patterns are numbered row by row within a texture, then texture by
// texture. Prepare checks the geometry and picks the first texture format the device
// accepts from a list steered by AlphaLevel and Quality; LoadFromStream parses an image
// record into the textures, converting pixels only where the formats differ.
//
// TPxImages owns the images in load order, loads them from the archive (one per image
// record), finds them by name without regard to ASCII case and follows the device: finalise
// frees every image, lost and restored move images between Active and Lost.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/MemoryStream.h"
#include "render/PxDef.h"
#include "render/PxDevices.h"
#include "render/PxTextures.h"

namespace tvx {

class TPxDb;

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

 protected:
  bool Prepare() override;

 private:
  bool PrepareGeometry();
  bool ChooseFormat();
  bool ReadPixels(TMemoryStream& stream, PixelFormat stored);

  std::string name_ = "[unnamed]";
  TPxQuality quality_ = TPxQuality::pqHigh;
  TAlphaLevel alphaLevel_ = TAlphaLevel::alFull;
  std::int32_t patternsPerRow_ = 0;
  std::int32_t patternsPerColumn_ = 0;
  std::int32_t patternsPerTexture_ = 0;
  Point2i drawSize_{0, 0};
  Point2i cellSize_{0, 0};
  std::int32_t patternCount_ = 0;
};

class TPxImages : public TPxDeviceSubscriber {
 public:
  using TImagePxDbLoadEvent = std::function<void(
      TComponent* sender, const std::string& key, std::int32_t index, bool& accept,
      std::string& name, TPxQuality& quality, TAlphaLevel& alphaLevel)>;

  explicit TPxImages(TComponent* owner);
  ~TPxImages() override;

  std::int32_t Count() const { return static_cast<std::int32_t>(images_.size()); }
  TPxImage* Items(std::int32_t index) const;  // nullptr outside 0..Count-1
  // The first image in load order whose name matches, ASCII letters folded; nullptr if none.
  TPxImage* FindImage(const std::string& name) const;

  // Mipmapping of the images loaded from now on. The triple "p" is the property's published
  // name, kept on purpose.
  bool MipMappping() const { return mipMappping_; }
  void SetMipMappping(bool value) { mipMappping_ = value; }
  TImagePxDbLoadEvent OnPxDbLoad;

  // Every image record of the archive in table order; stops at the first that fails.
  bool LoadFromPxDb(TPxDb& archive);
  // One record by key, appended to the list on success.
  bool LoadImageRecord(const std::string& key, TPxDb& archive, TPxQuality quality,
                       TAlphaLevel alphaLevel);
  void FreeAll();

  bool HandleNotification(std::int32_t code) override;

 private:
  std::vector<std::unique_ptr<TPxImage>> images_;
  bool mipMappping_ = false;
};

}  // namespace tvx
