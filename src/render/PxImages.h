// The image list. TPxImages owns the images in load order, loads them from the archive (one per
// image record), finds them by name without regard to ASCII case and follows the device: finalise
// frees every image, lost and restored move images between Active and Lost.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "render/PxDef.h"
#include "render/PxDevices.h"
#include "render/PxImage.h"

namespace tvx {

class TPxDb;

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
