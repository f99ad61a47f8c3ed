// Device textures of one picture. TPxBaseTexture holds the size, mip and format settings
// and the state machine (Inactive, Active, Lost, RestoreFailed) that is the only way
// textures are created or released: SetState runs Prepare and CreateTextures on the way to
// Active and ReleaseTextures on the way back. TPxMultiTexture owns TextureCount textures of
// equal size and format in the managed pool and binds and locks them by index. Settings
// change only while Inactive; later changes are ignored.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/GraphicsApi.h"
#include "render/PxPixelFormats.h"

namespace tvx {

class TPxDevice;

enum class TextureState : std::uint8_t { Inactive, Active, Lost, RestoreFailed };

// Lock modes: read-only, or anything else for a plain lock.
constexpr std::int32_t LockModeWrite = 0;
constexpr std::int32_t LockModeReadOnly = 1;

struct TLockInfo {
  std::uint8_t* bits = nullptr;  // first row
  std::int32_t pitch = 0;        // bytes from one row to the next
  std::optional<PixelFormat> format;
};

class TPxBaseTexture {
 public:
  explicit TPxBaseTexture(TPxDevice* device);
  virtual ~TPxBaseTexture() = default;
  TPxBaseTexture(const TPxBaseTexture&) = delete;
  TPxBaseTexture& operator=(const TPxBaseTexture&) = delete;

  TPxDevice* Device() const { return device_; }

  std::int32_t Width() const { return width_; }
  void SetWidth(std::int32_t value);
  std::int32_t Height() const { return height_; }
  void SetHeight(std::int32_t value);
  bool Mipmapping() const { return mipmapping_; }
  void SetMipmapping(bool value);
  bool ReleaseOnLoss() const { return releaseOnLoss_; }
  void SetReleaseOnLoss(bool value) { releaseOnLoss_ = value; }

  // The device format of the textures, 0 until chosen.
  std::uint32_t Format() const { return format_; }
  TextureState State() const { return state_; }
  void SetState(TextureState target);

  virtual std::uint32_t TextureUsage() const = 0;
  virtual bool BindTexture(std::uint32_t stage, std::int32_t index) = 0;
  virtual bool LockTexture(std::int32_t index, std::int32_t mode, TLockInfo& info) = 0;
  virtual bool LockTextureRect(std::int32_t index, const gfx::Rect& rect, std::int32_t mode,
                               TLockInfo& info) = 0;
  virtual bool UnlockTexture(std::int32_t index) = 0;

 protected:
  bool Inactive() const { return state_ == TextureState::Inactive; }
  void SetFormat(std::uint32_t format) { format_ = format; }
  // Ready to create textures; the base has nothing to prepare.
  virtual bool Prepare();
  virtual bool CreateTextures() = 0;
  virtual void ReleaseTextures() = 0;

 private:
  TPxDevice* device_;
  std::int32_t width_ = 256;
  std::int32_t height_ = 256;
  bool mipmapping_ = true;
  TextureState state_ = TextureState::Inactive;
  std::uint32_t format_ = 0;
  bool releaseOnLoss_ = false;
};

class TPxMultiTexture : public TPxBaseTexture {
 public:
  explicit TPxMultiTexture(TPxDevice* device);
  ~TPxMultiTexture() override;

  std::int32_t TextureCount() const { return textureCount_; }
  void SetTextureCount(std::int32_t value);  // never below 0
  // The device texture at `index`; 0 outside the array or when it was not created.
  gfx::Handle Texture(std::int32_t index) const;

  std::uint32_t TextureUsage() const override;
  bool BindTexture(std::uint32_t stage, std::int32_t index) override;
  bool LockTexture(std::int32_t index, std::int32_t mode, TLockInfo& info) override;
  bool LockTextureRect(std::int32_t index, const gfx::Rect& rect, std::int32_t mode,
                       TLockInfo& info) override;
  bool UnlockTexture(std::int32_t index) override;

 protected:
  bool CreateTextures() override;
  void ReleaseTextures() override;

 private:
  bool Lock(std::int32_t index, const gfx::Rect* rect, std::int32_t mode, TLockInfo& info);

  std::vector<gfx::Handle> textures_;
  std::int32_t textureCount_ = 1;
};

}  // namespace tvx
