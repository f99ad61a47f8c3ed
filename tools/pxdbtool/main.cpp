// pxdbtool: lists, extracts and packs the game's PxDb archives, for people who mod the game.
#include <iostream>
#include <string>

#include "pxdbtool/commands.h"

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  pxdbtool list <archive>\n"
    "      index, key, type, OrigSize, PhysSize and whether each record reads back (ok/BAD)\n"
    "  pxdbtool extract <archive> <outdir> [key]\n"
    "      writes one record, or every record plus manifest.txt, to files named by key\n"
    "  pxdbtool pack <folder> <archive>\n"
    "      builds an archive from <folder>/manifest.txt: one line per record, \"<type> <key>\",\n"
    "      in table order; each record's data is the file <folder>/<key>\n";

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "list" && argc == 3) return tvx::ListArchive(argv[2], std::cout, std::cerr);
  if (command == "extract" && (argc == 4 || argc == 5)) {
    return tvx::ExtractArchive(argv[2], argv[3], argc == 5 ? argv[4] : "", std::cout, std::cerr);
  }
  if (command == "pack" && argc == 4)
    return tvx::PackFolder(argv[2], argv[3], std::cout, std::cerr);
  std::cerr << kUsage;
  return 2;
}
