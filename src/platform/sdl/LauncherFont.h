// A small 8 x 8 bitmap font for the launcher and the splash, which are drawn before the
// game's own fonts exist. It holds only the characters those screens show; any other
// character draws as a blank. Each glyph is eight rows, the top row first, bit 7 leftmost.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <string_view>

namespace tvx {

using Glyph = std::array<std::uint8_t, 8>;
constexpr int kGlyphSize = 8;

// Null when the font has no glyph for `c`.
const Glyph* LauncherGlyph(char c);
int TextWidth(std::string_view text, int scale);
// Draws `text` with its top-left corner at (x, y), each font pixel `scale` screen pixels,
// in the renderer's current draw colour.
void DrawText(SDL_Renderer* renderer, int x, int y, int scale, std::string_view text);

}  // namespace tvx
