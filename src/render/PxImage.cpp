// TPxImage: pattern geometry, format choice, pattern texture coordinates and record loading.
#include "render/PxImage.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "render/PxDevices.h"
#include "render/PxFormatChoice.h"
#include "render/PxImageRecord.h"

namespace tvx {

namespace {

bool TextureSizeAllowed(std::int32_t width, std::int32_t height) {
  return width >= 1 && height >= 1 && width <= TPxImage::MaxTextureSize &&
         height <= TPxImage::MaxTextureSize;
}

}  // namespace

TPxImage::TPxImage(TPxDevice* device) : TPxMultiTexture(device) {}

void TPxImage::SetQuality(TPxQuality value) {
  if (Inactive()) quality_ = value;
}

void TPxImage::SetAlphaLevel(TAlphaLevel value) {
  if (Inactive()) alphaLevel_ = value;
}

void TPxImage::SetCellSize(Point2i value) {
  if (Inactive()) cellSize_ = value;
}

void TPxImage::SetDrawSize(Point2i value) {
  if (Inactive()) drawSize_ = value;
}

void TPxImage::SetPatternCount(std::int32_t value) {
  if (Inactive()) patternCount_ = value;
}

bool TPxImage::Prepare() { return PrepareGeometry() && ChooseFormat(); }

bool TPxImage::PrepareGeometry() {
  const std::int32_t width = Width();
  const std::int32_t height = Height();
  // Missing sizes fall back to the texture's, the draw size too (not the cell's).
  if (cellSize_.x < 1) cellSize_.x = width;
  if (cellSize_.y < 1) cellSize_.y = height;
  if (drawSize_.x < 1) drawSize_.x = width;
  if (drawSize_.y < 1) drawSize_.y = height;
  if (!TextureSizeAllowed(width, height)) return false;
  if (cellSize_.x > width || cellSize_.y > height) return false;
  if (drawSize_.x > cellSize_.x || drawSize_.y > cellSize_.y) return false;

  patternsPerRow_ = width / cellSize_.x;
  patternsPerColumn_ = height / cellSize_.y;
  patternsPerTexture_ = patternsPerRow_ * patternsPerColumn_;
  if (patternCount_ < 1) {
    const std::int64_t all = std::int64_t{patternsPerTexture_} * TextureCount();
    patternCount_ = static_cast<std::int32_t>(
        std::min<std::int64_t>(all, std::numeric_limits<std::int32_t>::max()));
  }
  return true;
}

bool TPxImage::ChooseFormat() {
  if (Device() == nullptr) return false;
  gfx::IGraphicsApi& api = Device()->Api();
  for (const std::uint32_t candidate : TextureFormatCandidates(alphaLevel_, quality_)) {
    if (gfx::Succeeded(api.CheckDeviceFormat(gfx::devtype::Hal, Device()->DisplayFormat(),
                                             TextureUsage(), gfx::rtype::Texture, candidate))) {
      SetFormat(candidate);
      return true;
    }
  }
  return false;
}

bool TPxImage::PatternCoordinates(const PatternSelection& selection, FloatQuad& texCoords,
                                  std::int32_t& textureIndex) const {
  if (State() != TextureState::Active || TextureCount() < 1 || patternCount_ < 1) return false;
  const std::int32_t pattern = std::clamp(selection.pattern, 0, patternCount_ - 1);
  const std::int32_t texture = pattern / patternsPerTexture_;
  // A header may promise more patterns than its textures hold; those have nothing to show.
  if (texture >= TextureCount()) return false;
  const std::int32_t inTexture = pattern % patternsPerTexture_;

  const std::int64_t offsetX = (cellSize_.x - drawSize_.x) / 2;
  const std::int64_t offsetY = (cellSize_.y - drawSize_.y) / 2;
  const std::int64_t left =
      std::int64_t{selection.x} + std::int64_t{inTexture % patternsPerRow_} * cellSize_.x + offsetX;
  const std::int64_t top =
      std::int64_t{selection.y} +
      std::int64_t{(inTexture / patternsPerRow_) % patternsPerColumn_} * cellSize_.y + offsetY;
  const std::int64_t right = left + (selection.width >= 1 ? selection.width : drawSize_.x);
  const std::int64_t bottom = top + (selection.height >= 1 ? selection.height : drawSize_.y);

  const double width = Width();
  const double height = Height();
  float uLeft = static_cast<float>(left / width);
  float uRight = static_cast<float>(right / width);
  float vTop = static_cast<float>(top / height);
  float vBottom = static_cast<float>(bottom / height);
  if (selection.mirror) std::swap(uLeft, uRight);
  if (selection.flip) std::swap(vTop, vBottom);
  texCoords = FloatQuad{{{uLeft, vTop}, {uRight, vTop}, {uRight, vBottom}, {uLeft, vBottom}}};
  textureIndex = texture;
  return true;
}

bool TPxImage::LoadFromStream(TMemoryStream& stream) { return Load(stream, nullptr); }

bool TPxImage::LoadFromStream(TMemoryStream&& stream, TStoredRecord record) {
  return Load(stream, &record);
}

bool TPxImage::Load(TMemoryStream& stream, TStoredRecord* record) {
  if (!Inactive()) return false;
  TImageRecordHeader header;
  if (!ReadImageRecordHeader(stream, header)) return false;
  const std::int32_t textureCount = std::max(header.textureCount, 0);
  if (!TextureSizeAllowed(header.textureWidth, header.textureHeight)) return false;
  // The rows must all be there before any texture is created for them.
  const std::uint64_t textureBytes = std::uint64_t{BytesPerPixel(header.storedFormat)} *
                                     static_cast<std::uint64_t>(header.textureWidth) *
                                     static_cast<std::uint64_t>(header.textureHeight);
  if (static_cast<std::uint64_t>(textureCount) > stream.Remaining() / textureBytes) return false;

  SetCellSize({header.cellWidth, header.cellHeight});
  SetDrawSize({header.drawWidth, header.drawHeight});
  SetPatternCount(header.patternCount);
  SetWidth(header.textureWidth);
  SetHeight(header.textureHeight);
  SetTextureCount(textureCount);

  SetState(TextureState::Active);
  if (State() != TextureState::Active) return false;
  if (record != nullptr) {
    const std::size_t rowsAt = stream.Position();
    pending_ = PendingPixels{std::move(*record), std::move(stream), rowsAt, header.storedFormat};
    return true;
  }
  if (!ReadPixels(stream, header.storedFormat)) {
    SetState(TextureState::Inactive);
    return false;
  }
  return true;
}

template <class Rows>
bool TPxImage::ReadPixels(Rows& rows, PixelFormat stored) {
  const std::optional<PixelFormat> target = PixelFormatOfDevice(Format());
  if (!target) return false;
  const auto width = static_cast<std::size_t>(Width());
  const std::size_t storedRowBytes = width * BytesPerPixel(stored);
  const std::size_t targetRowBytes = width * BytesPerPixel(*target);
  const bool copyRows = RowsCopyUnchanged(stored, *target);
  const bool storedWide = stored == PixelFormat::pfA8R8G8B8;

  // Allocated once per image: the stored row (unless it is 32-bit already) and the 32-bit row.
  std::vector<std::uint8_t> storedRow(copyRows || storedWide ? 0 : storedRowBytes);
  std::vector<std::uint32_t> wideRow(copyRows ? 0 : width);

  for (std::int32_t texture = 0; texture < TextureCount(); ++texture) {
    TLockInfo lock;
    if (!LockTexture(texture, LockModeWrite, lock)) return false;
    bool complete = lock.pitch >= 0 && static_cast<std::size_t>(lock.pitch) >= targetRowBytes;
    std::uint8_t* row = lock.bits;
    for (std::int32_t y = 0; complete && y < Height(); ++y, row += lock.pitch) {
      if (copyRows) {
        complete = rows.ReadExact(row, storedRowBytes);
      } else if (storedWide) {
        complete = rows.ReadExact(wideRow.data(), storedRowBytes);
      } else {
        complete = rows.ReadExact(storedRow.data(), storedRowBytes);
        if (complete) DecodeRow(stored, storedRow.data(), wideRow.data(), width);
      }
      if (complete && !copyRows) EncodeRow(*target, wideRow.data(), row, width);
    }
    UnlockTexture(texture);
    if (!complete) return false;
  }
  return true;
}

void TPxImage::FillTextures() {
  if (!pending_) return;
  PendingPixels pending = std::move(*pending_);
  pending_.reset();  // the fill below locks textures too
  if (pending.loaded.Size() > 0) {
    pending.loaded.Seek(pending.rowsAt);
    ReadPixels(pending.loaded, pending.stored);
    return;
  }
  // The rows inflate straight into the locked textures. They passed every check at the load,
  // so only bytes changed in memory since could fail here; the textures stay blank then.
  TStoredRecordReader rows(pending.record);
  if (rows.ReadExact(nullptr, pending.rowsAt)) ReadPixels(rows, pending.stored);
}

void TPxImage::DropLoadedRecord() {
  if (pending_) pending_->loaded = TMemoryStream();
}

bool TPxImage::BindTexture(std::uint32_t stage, std::int32_t index) {
  FillTextures();
  return TPxMultiTexture::BindTexture(stage, index);
}

bool TPxImage::LockTexture(std::int32_t index, std::int32_t mode, TLockInfo& info) {
  FillTextures();
  return TPxMultiTexture::LockTexture(index, mode, info);
}

bool TPxImage::LockTextureRect(std::int32_t index, const gfx::Rect& rect, std::int32_t mode,
                               TLockInfo& info) {
  FillTextures();
  return TPxMultiTexture::LockTextureRect(index, rect, mode, info);
}

// Textures created again after a release start blank, as any texture does.
void TPxImage::ReleaseTextures() {
  pending_.reset();
  TPxMultiTexture::ReleaseTextures();
}

}  // namespace tvx
