// Bitmap fonts. A font record holds the first character code, a spacing added to every
// advance, the advance width of each glyph and a picture (an image record) whose pattern k
// is the glyph of character FirstChar + k. TextOut draws a text on one line, glyph by glyph,
// through the list's canvas with a vertical gradient (Color1 at the top, Color2 at the
// bottom); characters the font lacks leave a gap. With TextTags, "#$AABBGGRR" sets the top
// colour, "&$AABBGGRR" the bottom one and "0xAABBGGRR" both, each tag recognised only where
// at least two characters follow it.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "render/PxDef.h"
#include "render/PxImage.h"
#include "render/TextPen.h"

namespace tvx {

class TPxDb;
class TPxCanvas;
class TPxDevice;
class TPxFonts;

// Raised only for misuse: drawing with a font whose list or canvas is missing.
class EFontError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TPxFont {
 public:
  // `owner` is the list the font draws through; a font without one cannot draw.
  TPxFont(TPxDevice* device, TPxFonts* owner);
  TPxFont(const TPxFont&) = delete;
  TPxFont& operator=(const TPxFont&) = delete;

  TPxFonts* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  double Scale = 1.0;
  bool TextTags = true;
  double Interleave = 0.0;  // extra advance after every character, before scaling
  double BlankSpacing = kDefaultBlankSpacing;  // a missing character's advance, times its width

  std::uint8_t FirstChar() const { return firstChar_; }
  std::int32_t GlyphSpacing() const { return glyphSpacing_; }
  std::int32_t GlyphCount() const { return static_cast<std::int32_t>(glyphs_.size()); }
  const std::vector<std::int32_t>& Glyphs() const { return glyphs_; }
  TPxImage* Image() const { return image_.get(); }
  bool Loaded() const { return loaded_; }

  // Loads the font record with that key once; a loaded font refuses a second load.
  bool LoadFontRecord(const std::string& key, TPxDb& archive, TPxQuality quality,
                      TAlphaLevel alphaLevel);

  // Draws with the top-left corner at (x, y); throws EFontError without a list or canvas.
  void TextOut(const std::string& text, double x, double y, CanvasColor color1, CanvasColor color2,
               DrawEffect effect);
  void TextOutColor(const std::string& text, double x, double y, CanvasColor color);

 private:
  TPxCanvas& CheckedCanvas() const;

  TPxDevice* device_;
  TPxFonts* owner_;
  std::string name_;
  std::uint8_t firstChar_ = 32;
  std::int32_t glyphSpacing_ = 0;
  std::vector<std::int32_t> glyphs_;
  std::unique_ptr<TPxImage> image_;
  bool loaded_ = false;
};

}  // namespace tvx
