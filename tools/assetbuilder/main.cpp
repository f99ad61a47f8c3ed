// assetbuilder: generates the game's archive resources.tvx.
//
//   assetbuilder <output.tvx> [--contact-sheet <png>] [--review-dir <dir>]
//                [--icon-theme <dir> --icon-name <name>]
//
// --icon-theme writes the program's icon as an hicolor theme tree below <dir>:
// hicolor/<n>x<n>/apps/<name>.png for each size and hicolor/scalable/apps/<name>.svg.
//
// Record order is the archive's table order, which the game relies on: the five fonts
// (font index = order), every image, then the sounds (the first seven are the music slots).
// The output depends on nothing but this program and the DejaVu font files.
#include <cstdio>
#include <filesystem>
#include <string>

#include "archive/RecordTypes.h"
#include "archive_writer/pxdb_writer.h"
#include "assetbuilder/art/icon.h"
#include "assetbuilder/contact_sheet.h"
#include "assetbuilder/font_catalogue.h"
#include "assetbuilder/image_catalogue.h"
#include "assetbuilder/sound/sound_assets.h"
#include "assetbuilder/sound/stereo_buffer.h"
#include "assetbuilder/sound/wav_writer.h"
#include "core/FileBytes.h"

namespace {

struct Options {
  std::string output, contactSheet, reviewDir, iconTheme, iconName;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--contact-sheet" && i + 1 < argc) {
      options.contactSheet = argv[++i];
    } else if (arg == "--review-dir" && i + 1 < argc) {
      options.reviewDir = argv[++i];
    } else if (arg == "--icon-theme" && i + 1 < argc) {
      options.iconTheme = argv[++i];
    } else if (arg == "--icon-name" && i + 1 < argc) {
      options.iconName = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && options.output.empty()) {
      options.output = arg;
    } else {
      return false;
    }
  }
  return !options.output.empty() && options.iconTheme.empty() == options.iconName.empty();
}

// The hicolor theme's sizes from small menus to large launchers, and the scalable picture.
bool WriteIcons(const std::string& theme, const std::string& name) {
  auto folderFor = [&](const std::string& size) {
    const std::string folder = theme + "/hicolor/" + size + "/apps/";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return folder + name;
  };
  bool ok = true;
  for (int size : {32, 48, 64, 128, 256}) {
    const std::string n = std::to_string(size);
    const std::string path = folderFor(n + "x" + n) + ".png";
    if (!tvx::assets::WriteIconPng(size, path)) {
      std::fprintf(stderr, "assetbuilder: cannot write %s\n", path.c_str());
      ok = false;
    }
  }
  const std::string svg = folderFor("scalable") + ".svg";
  if (!tvx::assets::WriteIconSvg(svg)) {
    std::fprintf(stderr, "assetbuilder: cannot write %s\n", svg.c_str());
    ok = false;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tvx;
  using namespace tvx::assets;
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: assetbuilder <output.tvx> [--contact-sheet <png>] [--review-dir <dir>] "
                 "[--icon-theme <dir> --icon-name <name>]\n");
    return 2;
  }
  const std::vector<FontAsset> fonts = BuildFonts();
  if (fonts.empty()) {
    std::fprintf(stderr, "assetbuilder: cannot read the DejaVu fonts in %s\n", TVX_DEJAVU_DIR);
    return 1;
  }
  const std::vector<ImageAsset> images = BuildImages();

  PxDbWriter writer;
  for (const FontAsset& font : fonts) writer.Add(font.key, FontRecordType, EncodeFontRecord(font));
  for (const ImageAsset& image : images)
    writer.Add(image.key, ImageRecordType, EncodeImageRecord(image));
  const std::vector<SoundAsset> sounds = BuildSoundAssets();
  for (const SoundAsset& sound : sounds) writer.Add(sound.key, SoundRecordType, sound.file);
  std::string error;
  if (!writer.WriteFile(options.output, error)) {
    std::fprintf(stderr, "assetbuilder: %s\n", error.c_str());
    return 1;
  }

  if (!options.contactSheet.empty() && !WriteContactSheet(images, fonts[0], options.contactSheet)) {
    std::fprintf(stderr, "assetbuilder: cannot write %s\n", options.contactSheet.c_str());
    return 1;
  }
  if (!options.reviewDir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(options.reviewDir, ec);
    for (const SoundAsset& sound : sounds) {
      const std::string path = options.reviewDir + "/" + sound.key + ".wav";
      const std::vector<std::uint8_t> wav = EncodeWav(sound.reviewPcm, 2, kSampleRate);
      std::string error;
      if (!WriteFileBytes(path, wav.data(), wav.size(), error)) {
        std::fprintf(stderr, "assetbuilder: %s\n", error.c_str());
        return 1;
      }
    }
  }
  if (!options.iconTheme.empty() && !WriteIcons(options.iconTheme, options.iconName)) return 1;
  return 0;
}
