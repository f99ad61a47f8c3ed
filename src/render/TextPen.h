// How far the pen moves along a line past one character: the one rule for the game's text
// drawing and for the launcher's pictures of the game's text.
#pragma once

#include <cstdint>
#include <optional>

namespace tvx {

inline constexpr double kDefaultBlankSpacing = 0.3;

struct TextPen {
  double glyphWidth = 0;  // a glyph's draw width, before scaling
  std::int32_t glyphSpacing = 0;
  double interleave = 0;                       // extra advance after every character
  double blankSpacing = kDefaultBlankSpacing;  // a missing character's advance, times glyphWidth
  double scale = 1;

  // Past a character whose glyph advances `advance`, or past one the font has no glyph for.
  double Advance(std::optional<std::int32_t> advance) const {
    if (!advance) return (glyphWidth * blankSpacing + interleave) * scale;
    // Advances and spacing come from the archive: summed as doubles, they cannot overflow.
    return (static_cast<double>(*advance) + glyphSpacing + interleave) * scale;
  }
};

}  // namespace tvx
