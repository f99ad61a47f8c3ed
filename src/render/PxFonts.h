// The font list. TPxFonts owns the fonts in load order (indices are the archive's font order),
// takes the first canvas inserted beside it as its Canvas and frees every font at device finalise.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/RecordTypes.h"
#include "render/PxDef.h"
#include "render/PxDevices.h"
#include "render/PxFont.h"

namespace tvx {

class TPxDb;
class TPxCanvas;

class TPxFonts : public TPxDeviceSubscriber {
 public:
  using TFontPxDbLoadEvent = std::function<void(TComponent* sender, const std::string& key,
                                                std::int32_t index, bool& accept, std::string& name,
                                                TPxQuality& quality, TAlphaLevel& alphaLevel)>;

  explicit TPxFonts(TComponent* owner);
  ~TPxFonts() override;

  TPxCanvas* Canvas() const { return canvas_; }
  void SetCanvas(TPxCanvas* canvas);
  TFontPxDbLoadEvent OnPxDbLoad;

  std::int32_t Count() const { return static_cast<std::int32_t>(fonts_.size()); }
  TPxFont* Items(std::int32_t index) const;  // nullptr outside 0..Count-1

  // Every font record of the archive in table order; stops at the first that fails, whose
  // unloaded font stays in the list.
  bool LoadFromPxDb(TPxDb& archive);
  // Appends an unloaded font named "Font" and a running number of at least two digits.
  TPxFont* AddFont();
  void FreeAll();

  bool HandleNotification(std::int32_t code) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::vector<std::unique_ptr<TPxFont>> fonts_;
  TPxCanvas* canvas_ = nullptr;
  // The canvas as a component, kept for the removal notice, when only its address is valid.
  const TComponent* canvasComponent_ = nullptr;
  std::int32_t nameCounter_ = 0;
};

}  // namespace tvx
