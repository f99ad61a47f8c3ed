// Text drawing of TPxFont: colour tags, glyph placement and the gradient corners.
#include <cstdint>
#include <string>

#include "core/Numeric.h"
#include "render/PxCanvas.h"
#include "render/PxFont.h"
#include "render/PxFonts.h"

namespace tvx {

namespace {

constexpr std::int64_t kTagLength = 10;  // two marker characters and eight hex digits

std::int32_t HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The eight characters at `start` (0-based) as a colour; false, leaving it, unless all are hex.
bool ReadHexColor(const std::string& text, std::size_t start, CanvasColor& color) {
  CanvasColor value = 0;
  for (std::size_t k = 0; k < 8; ++k) {
    const std::int32_t digit = HexDigit(text[start + k]);
    if (digit < 0) return false;
    value = (value << 4) | static_cast<CanvasColor>(digit);
  }
  color = value;
  return true;
}

// A tag at 1-based position i: its two markers there, and at least two characters after it.
bool TagAt(const std::string& text, std::int64_t i, char first, char second) {
  const auto length = static_cast<std::int64_t>(text.size());
  if (i >= length - kTagLength) return false;
  return text[static_cast<std::size_t>(i - 1)] == first &&
         text[static_cast<std::size_t>(i)] == second;
}

}  // namespace

TPxCanvas& TPxFont::CheckedCanvas() const {
  if (owner_ == nullptr) throw EFontError("TPxFont: Unassigned Owner property.");
  if (owner_->Canvas() == nullptr) throw EFontError("TPxFont: Unassigned Owner.Canvas property.");
  return *owner_->Canvas();
}

void TPxFont::TextOut(const std::string& text, double x, double y, CanvasColor color1,
                      CanvasColor color2, DrawEffect effect) {
  if (!loaded_) return;
  TPxCanvas& canvas = CheckedCanvas();
  CanvasColor4 colors = cColor4(color1, color1, color2, color2);
  const Point2i drawSize = image_->DrawSize();
  const auto glyphWidth = static_cast<float>(RoundHalfEven(drawSize.x * Scale));
  const auto glyphHeight = static_cast<float>(RoundHalfEven(drawSize.y * Scale));
  const auto top = static_cast<float>(Trunc(y));
  const auto length = static_cast<std::int64_t>(text.size());
  const TextPen pen{static_cast<double>(drawSize.x), glyphSpacing_, Interleave, BlankSpacing,
                    Scale};

  double penX = x;
  for (std::int64_t i = 1; i <= length; ++i) {
    if (TextTags) {
      // Each tag is tested once per step, in this order, at the position the one before left.
      if (TagAt(text, i, '#', '$')) {
        ReadHexColor(text, static_cast<std::size_t>(i + 1), color1);
        i += kTagLength;
        colors = cColor4(color1, color1, color2, color2);
      }
      if (TagAt(text, i, '&', '$')) {
        ReadHexColor(text, static_cast<std::size_t>(i + 1), color2);
        i += kTagLength;
        colors = cColor4(color1, color1, color2, color2);
      }
      if (TagAt(text, i, '0', 'x')) {
        ReadHexColor(text, static_cast<std::size_t>(i + 1), color2);
        color1 = color2;  // deliberately also when the digits were invalid
        i += kTagLength;
        colors = cColor4(color1, color1, color2, color2);
      }
    }
    const std::int32_t code =
        static_cast<std::uint8_t>(text[static_cast<std::size_t>(i - 1)]) - firstChar_;
    if (code < 0 || code >= GlyphCount()) {
      penX += pen.Advance(std::nullopt);
      continue;
    }
    const FloatQuad quad = pBounds4(static_cast<float>(Trunc(penX)), top, glyphWidth, glyphHeight);
    canvas.DrawPatternQuad(image_.get(), quad, colors, PatternSelection{code, 0, 0, 0, 0, 0, 0},
                           effect);
    penX += pen.Advance(glyphs_[static_cast<std::size_t>(code)]);
  }
}

void TPxFont::TextOutColor(const std::string& text, double x, double y, CanvasColor color) {
  TextOut(text, x, y, color, color, EffectAlphaBlend);
}

}  // namespace tvx
