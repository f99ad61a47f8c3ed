#include "render/PxTextures.h"

#include "render/PxDevices.h"

namespace tvx {

TPxBaseTexture::TPxBaseTexture(TPxDevice* device) : device_(device) {}

void TPxBaseTexture::SetWidth(std::int32_t value) {
  if (Inactive()) width_ = value;
}

void TPxBaseTexture::SetHeight(std::int32_t value) {
  if (Inactive()) height_ = value;
}

void TPxBaseTexture::SetMipmapping(bool value) {
  if (Inactive()) mipmapping_ = value;
}

bool TPxBaseTexture::Prepare() { return true; }

void TPxBaseTexture::SetState(TextureState target) {
  using enum TextureState;
  if (target == Inactive) {
    if (state_ == Active) ReleaseTextures();
    state_ = Inactive;
    return;
  }
  if (target == Active) {
    switch (state_) {
      case Inactive:
        if (Prepare() && CreateTextures()) state_ = Active;
        return;
      case Lost:
        state_ = CreateTextures() ? Active : RestoreFailed;
        return;
      case RestoreFailed:
        if (CreateTextures()) state_ = Active;
        return;
      case Active:
        return;
    }
  }
  if (target == Lost && state_ == Active && releaseOnLoss_) {
    ReleaseTextures();
    state_ = Lost;
  }
}

TPxMultiTexture::TPxMultiTexture(TPxDevice* device) : TPxBaseTexture(device) {}

// Called here rather than in the base, where ReleaseTextures is no longer this class's.
TPxMultiTexture::~TPxMultiTexture() { SetState(TextureState::Inactive); }

void TPxMultiTexture::SetTextureCount(std::int32_t value) {
  if (Inactive()) textureCount_ = value < 0 ? 0 : value;
}

gfx::TextureHandle TPxMultiTexture::Texture(std::int32_t index) const {
  if (index < 0 || index >= static_cast<std::int32_t>(textures_.size())) return gfx::NoTexture;
  return textures_[static_cast<std::size_t>(index)];
}

std::uint32_t TPxMultiTexture::TextureUsage() const {
  return Mipmapping() ? gfx::usage::AutoGenMipMap : 0;
}

bool TPxMultiTexture::CreateTextures() {
  ReleaseTextures();
  if (Device() == nullptr) return false;
  gfx::IGraphicsApi& api = Device()->Api();
  const std::uint32_t levels = Mipmapping() ? 0 : 1;
  textures_.assign(static_cast<std::size_t>(textureCount_), gfx::NoTexture);
  for (gfx::TextureHandle& texture : textures_) {
    const gfx::Result result =
        api.CreateTexture(static_cast<std::uint32_t>(Width()), static_cast<std::uint32_t>(Height()),
                          levels, TextureUsage(), Format(), gfx::pool::Managed, texture);
    if (!gfx::Succeeded(result) || texture == gfx::NoTexture) {
      texture = gfx::NoTexture;
      ReleaseTextures();
      return false;
    }
  }
  return true;
}

void TPxMultiTexture::ReleaseTextures() {
  if (Device() != nullptr) {
    for (gfx::TextureHandle texture : textures_) {
      if (texture != gfx::NoTexture) Device()->Api().ReleaseTexture(texture);
    }
  }
  textures_.clear();
}

bool TPxMultiTexture::BindTexture(std::uint32_t stage, std::int32_t index) {
  const gfx::TextureHandle texture = Texture(index);
  if (texture == gfx::NoTexture) return false;
  return gfx::Succeeded(Device()->Api().SetTexture(stage, texture));
}

bool TPxMultiTexture::Lock(std::int32_t index, const gfx::Rect* rect, std::int32_t mode,
                           TLockInfo& info) {
  const gfx::TextureHandle texture = Texture(index);
  if (texture == gfx::NoTexture) return false;
  gfx::LockedRect locked;
  const std::uint32_t flags = mode == LockModeReadOnly ? gfx::lock::ReadOnly : 0;
  gfx::IGraphicsApi& api = Device()->Api();
  if (!gfx::Succeeded(api.LockRect(texture, 0, locked, rect, flags))) return false;
  if (locked.bits == nullptr) {
    api.UnlockRect(texture, 0);
    return false;
  }
  info.bits = static_cast<std::uint8_t*>(locked.bits);
  info.pitch = locked.pitch;
  info.format = PixelFormatOfDevice(Format());
  return true;
}

bool TPxMultiTexture::LockTexture(std::int32_t index, std::int32_t mode, TLockInfo& info) {
  return Lock(index, nullptr, mode, info);
}

bool TPxMultiTexture::LockTextureRect(std::int32_t index, const gfx::Rect& rect, std::int32_t mode,
                                      TLockInfo& info) {
  return Lock(index, &rect, mode, info);
}

bool TPxMultiTexture::UnlockTexture(std::int32_t index) {
  const gfx::TextureHandle texture = Texture(index);
  if (texture == gfx::NoTexture) return false;
  return gfx::Succeeded(Device()->Api().UnlockRect(texture, 0));
}

}  // namespace tvx
