// The colours and fonts of the game's screens, by what they are for; the fonts are the
// archive's five, in table order.
#pragma once

#include "render/PxCanvas.h"

namespace tvx {

namespace colour {
constexpr CanvasColor White = 0xFFFFFFFF;
constexpr CanvasColor Red = 0xFF0000FF;
constexpr CanvasColor Orange = 0xFF2080FF;
constexpr CanvasColor Green = 0xFF00FF32;
constexpr CanvasColor Grey = 0xFFC0C0C0;
constexpr CanvasColor PaleYellow = 0xFF75CEEB;
constexpr CanvasColor OffWhite = 0xFFE8E8EA;
constexpr CanvasColor Black = 0xFF000000;
constexpr CanvasColor TranslucentBlack = 0x8E000000;
constexpr CanvasColor TranslucentOrange = 0x8E57BFFF;
constexpr CanvasColor TranslucentWhite = 0xA1FFFFFF;
constexpr CanvasColor OwnRank = 0xFFE07020;
}  // namespace colour

namespace font {
constexpr int Small = 0;
constexpr int Loading = 1;
constexpr int Title = 2;
constexpr int Prompt = 3;
constexpr int Hud = 4;
}  // namespace font

}  // namespace tvx
