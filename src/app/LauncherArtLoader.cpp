#include "app/LauncherArtLoader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/CommandLine.h"
#include "archive/PxDb.h"
#include "core/Component.h"
#include "game/ImageNames.h"
#include "game/ScreenStyle.h"
#include "render/PxPictureDecode.h"
#include "render/TextPen.h"

namespace tvx {

namespace {

// The launcher's pictures are 0xAARRGGBB; the game's colours are the canvas's 0xAABBGGRR.
constexpr std::uint32_t Argb(CanvasColor c) {
  return (c & 0xFF00FF00u) | (c & 0xFFu) << 16 | (c >> 16 & 0xFFu);
}
constexpr std::uint32_t kWhite = Argb(colour::White), kOrange = Argb(colour::Orange);
constexpr std::uint32_t kOffWhite = Argb(colour::OffWhite), kGrey = Argb(colour::Grey);
static_assert(kOrange == 0xFFFF8020);
constexpr int kStreakRoom = 120;  // beside the name, for the speed streaks
constexpr int kMaxTextWidth = 2048;

std::uint32_t Channel(std::uint32_t argb, int shift) { return (argb >> shift) & 0xFF; }

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
  std::uint32_t out = 0;
  for (int shift : {0, 8, 16, 24}) {
    const double v = Channel(a, shift) * (1 - t) + Channel(b, shift) * t;
    out |= static_cast<std::uint32_t>(std::lround(v)) << shift;
  }
  return out;
}

std::uint32_t Modulate(std::uint32_t texel, std::uint32_t colour) {
  std::uint32_t out = 0;
  for (int shift : {0, 8, 16, 24})
    out |= (Channel(texel, shift) * Channel(colour, shift) + 127) / 255 << shift;
  return out;
}

// `top` drawn over what `picture` holds at (x, y), both with straight alpha.
void BlendOver(LauncherPicture& picture, int x, int y, std::uint32_t top) {
  if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return;
  std::uint32_t& bottom = picture.argb[static_cast<std::size_t>(y) * picture.width + x];
  const double ta = Channel(top, 24) / 255.0, ba = Channel(bottom, 24) / 255.0;
  const double a = ta + ba * (1 - ta);
  if (a <= 0) return;
  std::uint32_t out = static_cast<std::uint32_t>(std::lround(a * 255)) << 24;
  for (int shift : {0, 8, 16}) {
    const double v = (Channel(top, shift) * ta + Channel(bottom, shift) * ba * (1 - ta)) / a;
    out |= static_cast<std::uint32_t>(std::lround(v)) << shift;
  }
  bottom = out;
}

// The text on one line as the game's text drawing places it: glyph by glyph at the advances,
// shaded from `top` at the glyphs' top to `bottom` at their foot.
LauncherPicture TextPicture(const TDecodedFont& font, std::string_view text, std::uint32_t top,
                            std::uint32_t bottom, int margin = 0) {
  const TDecodedPicture& glyphs = font.glyphs;
  std::vector<std::pair<int, std::size_t>> placed;  // pen position, glyph
  const TextPen step{static_cast<double>(glyphs.width), font.glyphSpacing};
  double pen = margin;
  int right = margin;
  for (const char c : text) {
    const int code = static_cast<unsigned char>(c) - font.firstChar;
    if (code < 0 || code >= static_cast<int>(glyphs.patterns.size()) ||
        code >= static_cast<int>(font.advances.size())) {
      pen += step.Advance(std::nullopt);
      continue;
    }
    // Advances come from the archive: a line that runs off its room is cut, not grown.
    if (pen < 0 || pen + glyphs.width > kMaxTextWidth) break;
    placed.emplace_back(static_cast<int>(pen), static_cast<std::size_t>(code));
    right = std::max(right, static_cast<int>(pen) + glyphs.width);
    pen += step.Advance(font.advances[static_cast<std::size_t>(code)]);
  }
  LauncherPicture picture;
  picture.width = right + margin;
  picture.height = glyphs.height;
  picture.argb.assign(static_cast<std::size_t>(picture.width) * picture.height, 0);
  for (const auto& [x, code] : placed) {
    const std::vector<std::uint32_t>& glyph = glyphs.patterns[code];
    for (int y = 0; y < glyphs.height; ++y) {
      const std::uint32_t colour =
          Mix(top, bottom, glyphs.height > 1 ? y / (glyphs.height - 1.0) : 0);
      for (int i = 0; i < glyphs.width; ++i)
        BlendOver(picture, x + i, y,
                  Modulate(glyph[static_cast<std::size_t>(y) * glyphs.width + i], colour));
    }
  }
  return picture;
}

// The game's name in its title lettering, with three speed streaks trailing to its left and
// a rule under it, shaded like the letters.
LauncherPicture Logo(const TDecodedFont& title) {
  LauncherPicture logo = TextPicture(title, "TARVEX", kWhite, kOrange, kStreakRoom);
  const int h = logo.height;
  const struct {
    double row;
    int length;
  } streaks[] = {{0.34, 70}, {0.5, 112}, {0.66, 48}};
  for (const auto& streak : streaks) {
    const int y0 = static_cast<int>(h * streak.row);
    const std::uint32_t colour = Mix(kWhite, kOrange, streak.row);
    for (int y = y0; y < y0 + 4; ++y) {
      for (int i = 0; i < streak.length; ++i) {
        const double fade = static_cast<double>(i) / streak.length;  // thin at its tail
        const auto alpha = static_cast<std::uint32_t>(255 * fade * fade);
        BlendOver(logo, kStreakRoom - 10 - streak.length + i, y, (colour & 0xFFFFFF) | alpha << 24);
      }
    }
  }
  const int ruleTop = h - 8, ruleLeft = kStreakRoom, ruleRight = logo.width - kStreakRoom;
  for (int y = ruleTop; y < ruleTop + 3; ++y) {
    for (int x = ruleLeft; x < ruleRight; ++x) {
      const double edge = std::min(x - ruleLeft, ruleRight - x) / 40.0;
      const auto alpha = static_cast<std::uint32_t>(255 * std::min(1.0, edge));
      BlendOver(logo, x, y, (kOrange & 0xFFFFFF) | alpha << 24);
    }
  }
  return logo;
}

LauncherPicture Picture(const TDecodedPicture& decoded) {
  LauncherPicture picture;
  if (decoded.patterns.empty()) return picture;
  picture.width = decoded.width;
  picture.height = decoded.height;
  picture.argb = decoded.patterns.front();
  return picture;
}

}  // namespace

LauncherArt LoadLauncherArt(const std::string& archivePath, std::string& problem) {
  TComponent root(nullptr);
  auto* archive = CreateComponent<TPxDb>(&root);
  archive->SetFileName(archivePath);
  archive->OpenMode = TOpenModes::opReadOnly;
  LauncherArt art;
  if (const std::optional<TDecodedPicture> backdrop =
          DecodeArchivePicture(*archive, image::NextLevel))
    art.backdrop = Picture(*backdrop);
  if (const std::optional<TDecodedPicture> icon = DecodeArchivePicture(*archive, image::WindowIcon))
    art.windowIcon = Picture(*icon);
  const auto font = [&](int index) { return DecodeArchiveFont(*archive, index); };
  if (const std::optional<TDecodedFont> title = font(font::Title)) art.logo = Logo(*title);
  if (const std::optional<TDecodedFont> prompt = font(font::Prompt))
    art.buttonCaption = TextPicture(*prompt, kStartButtonCaption, kWhite, kOrange);
  if (const std::optional<TDecodedFont> small = font(font::Small))
    art.version = TextPicture(*small, std::string("v") + ProgramVersion(), kOffWhite, kGrey);
  if (const std::optional<TDecodedFont> loading = font(font::Loading))
    art.splashCaption = TextPicture(*loading, kSplashCaption, kWhite, kWhite);
  if (art.backdrop.Empty() || art.logo.Empty() || art.buttonCaption.Empty() ||
      art.version.Empty() || art.splashCaption.Empty()) {
    problem = "the launcher's pictures could not all be read from " + archivePath;
  }
  return art;
}

}  // namespace tvx
