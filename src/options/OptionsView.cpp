#include "options/OptionsView.h"

#include "game/ScreenStyle.h"
#include "render/PxCanvas.h"
#include "render/PxFonts.h"
#include "render/PxImages.h"

namespace tvx {

namespace {

constexpr int kLeft = 30;
constexpr int kValueX = 300;
constexpr int kPadX = 480;
constexpr int kFirstRowY = 58;
constexpr int kRowHeight = 19;
constexpr CanvasColor kPanel = 0xFF000000;
constexpr CanvasColor kCursor = 0xB057BFFF;

void Text(TPxFonts& fonts, int font, const std::string& text, double x, double y, CanvasColor top,
          CanvasColor bottom) {
  if (TPxFont* f = fonts.Items(font)) f->TextOut(text, x, y, top, bottom, EffectAlphaBlend);
}

}  // namespace

void DrawOptionsScreen(const OptionsMenu& menu, TPxCanvas& canvas, TPxFonts& fonts, TPxImage* car) {
  canvas.FillOutlinedBox(10, 10, 620, 466, colour::Black, kPanel, EffectAlphaBlend);
  canvas.FillOutlinedBox(10, 10, 620, 36, colour::Black, colour::TranslucentOrange,
                         EffectAlphaBlend);
  Text(fonts, font::Prompt, "OPTIONS", kLeft, 16, colour::White, colour::PaleYellow);
  if (car != nullptr) canvas.DrawImage(car, 0, 505, -8, EffectAlphaBlend);
  int y = kFirstRowY - kRowHeight;
  for (std::size_t row = 0; row < menu.Rows().size(); ++row) {
    const OptionKind kind = menu.Rows()[row].kind;
    y += kRowHeight;
    // A gap, with the column heads, above the bindings; another below them.
    if (kind == OptionKind::Binding && menu.Rows()[row - 1].kind != OptionKind::Binding) {
      y += kRowHeight / 2;
      Text(fonts, font::Small, "Keys", kValueX, y - 2, colour::Grey, colour::Grey);
      Text(fonts, font::Small, "Pad", kPadX, y - 2, colour::Grey, colour::Grey);
      y += kRowHeight;
    } else if (kind == OptionKind::Defaults) {
      y += kRowHeight / 2;
    }
    const bool current = row == menu.Cursor();
    if (current)
      canvas.FillOutlinedBox(kLeft - 6, y - 2, 590, kRowHeight, colour::Black, kCursor,
                             EffectAlphaBlend);
    const CanvasColor bottom = current ? colour::White : colour::Orange;
    Text(fonts, font::Hud, menu.Label(row), kLeft, y, colour::White, bottom);
    const bool waiting = current && menu.Waiting();
    Text(fonts, font::Hud, waiting ? "?" : menu.Value(row), kValueX, y, colour::White,
         colour::OffWhite);
    Text(fonts, font::Hud, waiting ? "?" : menu.PadValue(row), kPadX, y, colour::White,
         colour::OffWhite);
  }
  const int noticeY = y + kRowHeight + 6;
  if (!menu.Notice().empty()) {
    const CanvasColor tint = menu.NoticeIsRefusal() ? colour::Red : colour::PaleYellow;
    Text(fonts, font::Small, menu.Notice(), kLeft, noticeY, colour::White, tint);
  }
  Text(fonts, font::Small, "Arrows/d-pad: choose and change - ENTER/A: set - ESC/B: save and leave",
       kLeft, 448, colour::Grey, colour::Grey);
}

void DrawOptionsHint(TPxFonts& fonts) {
  Text(fonts, font::Small, "O or RB/Options", 505, 12, colour::White, colour::Orange);
}

void DrawNotice(TPxCanvas& canvas, TPxFonts& fonts, const std::string& text) {
  canvas.FillOutlinedBox(0, 440, 640, 24, colour::Black, colour::TranslucentBlack,
                         EffectAlphaBlend);
  Text(fonts, font::Small, text, 12, 444, colour::White, colour::White);
}

}  // namespace tvx
