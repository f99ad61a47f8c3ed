// The pxdbtool commands. Each takes its arguments, writes results to `out` and problems to
// `err`, and returns the process exit code: 0 on success, 1 when something failed.
#pragma once

#include <ostream>
#include <string>

namespace tvx {

// One line per record: index, key, type, OrigSize, PhysSize and whether it reads back intact.
int ListArchive(const std::string& archive, std::ostream& out, std::ostream& err);

// Writes one record (`key` non-empty) or every record plus a manifest to files named by key.
int ExtractArchive(const std::string& archive, const std::string& folder, const std::string& key,
                   std::ostream& out, std::ostream& err);

// Builds an archive from the folder's manifest and the files it names.
int PackFolder(const std::string& folder, const std::string& archive, std::ostream& out,
               std::ostream& err);

}  // namespace tvx
