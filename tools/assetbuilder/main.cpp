// assetbuilder: generates the game's archive resources.tvx.
//
//   assetbuilder <output.tvx> [--contact-sheet <png>] [--review-dir <dir>]
//
// Record order is the archive's table order, which the game relies on: the five fonts
// (font index = order), every image, then the sounds (the first seven are the music slots).
// The output depends on nothing but this program and the DejaVu font files.
#include <cstdio>
#include <filesystem>
#include <string>

#include "archive_writer/PxDbWriter.h"
#include "assetbuilder/contact_sheet.h"
#include "assetbuilder/font_catalogue.h"
#include "assetbuilder/image_catalogue.h"
#include "assetbuilder/wav_writer.h"
#ifdef TVX_WITH_SOUND_ASSETS
#include "assetbuilder/sound/sound_assets.h"
#endif

namespace {

constexpr std::uint16_t SoundRecordType = 2;

struct Options {
  std::string output, contactSheet, reviewDir;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--contact-sheet" || arg == "--review-dir") && i + 1 < argc) {
      (arg == "--contact-sheet" ? options.contactSheet : options.reviewDir) = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && options.output.empty()) {
      options.output = arg;
    } else {
      return false;
    }
  }
  return !options.output.empty();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tvx;
  using namespace tvx::assets;
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: assetbuilder <output.tvx> [--contact-sheet <png>] [--review-dir <dir>]\n");
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
#ifdef TVX_WITH_SOUND_ASSETS
  const std::vector<SoundAsset> sounds = BuildSoundAssets();
  for (const SoundAsset& sound : sounds) writer.Add(sound.key, SoundRecordType, sound.file);
#endif
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
#ifdef TVX_WITH_SOUND_ASSETS
    for (const SoundAsset& sound : sounds) {
      const std::string path = options.reviewDir + "/" + sound.key + ".wav";
      if (!WriteStereoWav(path, sound.reviewPcm)) {
        std::fprintf(stderr, "assetbuilder: cannot write %s\n", path.c_str());
        return 1;
      }
    }
#endif
  }
  return 0;
}
