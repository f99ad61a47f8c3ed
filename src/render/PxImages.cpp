#include "render/PxImages.h"

#include "archive/PxDb.h"
#include "render/PxDbRecordWalk.h"
#include "render/PxImageRecord.h"

namespace tvx {

namespace {

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNameAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

TPxImages::TPxImages(TComponent* owner) : TPxDeviceSubscriber(owner) {}

TPxImages::~TPxImages() { FreeAll(); }

TPxImage* TPxImages::Items(std::int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return images_[static_cast<std::size_t>(index)].get();
}

TPxImage* TPxImages::FindImage(const std::string& name) const {
  for (const auto& image : images_) {
    if (SameNameAscii(image->Name(), name)) return image.get();
  }
  return nullptr;
}

void TPxImages::FreeAll() { images_.clear(); }

bool TPxImages::LoadFromPxDb(TPxDb& archive) {
  return LoadRecordsOfType(
      archive, ImageRecordType,
      [&](const std::string& key, bool& accept, std::string& name, TPxQuality& quality,
          TAlphaLevel& alphaLevel) {
        if (OnPxDbLoad) OnPxDbLoad(this, key, Count(), accept, name, quality, alphaLevel);
      },
      [&](const std::string& key, const std::string& name, TPxQuality quality,
          TAlphaLevel alphaLevel) {
        if (!LoadImageRecord(key, archive, quality, alphaLevel)) return false;
        images_.back()->SetName(name);
        return true;
      });
}

bool TPxImages::LoadImageRecord(const std::string& key, TPxDb& archive, TPxQuality quality,
                                TAlphaLevel alphaLevel) {
  TMemoryStream stream;
  TStoredRecord stored;
  if (!ReadRecordOfType(archive, key, ImageRecordType, stream, stored)) return false;

  auto image = std::make_unique<TPxImage>(Device());
  image->SetMipmapping(mipMappping_);
  image->SetName(key);
  image->SetQuality(quality);
  image->SetAlphaLevel(alphaLevel);
  if (!image->LoadFromStream(std::move(stream), std::move(stored))) return false;
  images_.push_back(std::move(image));
  return true;
}

bool TPxImages::HandleNotification(std::int32_t code) {
  switch (code) {
    case NotifyFinalize:
      FreeAll();
      break;
    case NotifyLost:
      for (const auto& image : images_) {
        if (image->State() == TextureState::Active) image->SetState(TextureState::Lost);
      }
      break;
    case NotifyRestored:
      for (const auto& image : images_) {
        if (image->State() == TextureState::Lost) image->SetState(TextureState::Active);
      }
      break;
    case NotifyEndScene:
      for (const auto& image : images_) image->DropLoadedRecord();
      break;
    default:
      break;
  }
  return true;
}

}  // namespace tvx
