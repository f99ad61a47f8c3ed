#include "render/PxFonts.h"

#include <string>

#include "archive/PxDb.h"
#include "render/PxCanvas.h"
#include "render/PxDbRecordWalk.h"

namespace tvx {

namespace {

// "Font" and the counter, left-padded with zeros to at least two digits.
std::string AutomaticFontName(std::int32_t counter) {
  std::string digits = std::to_string(counter);
  if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
  return "Font" + digits;
}

}  // namespace

TPxFonts::TPxFonts(TComponent* owner) : TPxDeviceSubscriber(owner) {}

TPxFonts::~TPxFonts() { FreeAll(); }

void TPxFonts::SetCanvas(TPxCanvas* canvas) {
  canvas_ = canvas;
  canvasComponent_ = canvas;
}

TPxFont* TPxFonts::Items(std::int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fonts_[static_cast<std::size_t>(index)].get();
}

TPxFont* TPxFonts::AddFont() {
  fonts_.push_back(std::make_unique<TPxFont>(Device(), this));
  fonts_.back()->SetName(AutomaticFontName(nameCounter_++));
  return fonts_.back().get();
}

void TPxFonts::FreeAll() { fonts_.clear(); }

bool TPxFonts::LoadFromPxDb(TPxDb& archive) {
  return LoadRecordsOfType(
      archive, FontRecordType,
      [&](const std::string& key, bool& accept, std::string& name, TPxQuality& quality,
          TAlphaLevel& alphaLevel) {
        if (OnPxDbLoad) OnPxDbLoad(this, key, Count(), accept, name, quality, alphaLevel);
      },
      [&](const std::string& key, const std::string& name, TPxQuality quality,
          TAlphaLevel alphaLevel) {
        // A font that fails stays in the list, unloaded, and draws nothing.
        TPxFont* font = AddFont();
        if (!font->LoadFontRecord(key, archive, quality, alphaLevel)) return false;
        font->SetName(name);
        return true;
      });
}

bool TPxFonts::HandleNotification(std::int32_t code) {
  if (code == NotifyFinalize) FreeAll();
  if (code == NotifyEndScene) {
    for (const auto& font : fonts_) {
      if (font->Image() != nullptr) font->Image()->DropLoadedRecord();
    }
  }
  return true;
}

void TPxFonts::Notification(TComponent* component, TOperation operation) {
  TPxDeviceSubscriber::Notification(component, operation);
  if (operation == TOperation::opInsert) {
    if (canvas_ == nullptr) {
      if (auto* canvas = dynamic_cast<TPxCanvas*>(component)) SetCanvas(canvas);
    }
  } else if (component == canvasComponent_) {
    // The canvas is half destroyed by now: only its address may be compared.
    SetCanvas(nullptr);
  }
}

}  // namespace tvx
