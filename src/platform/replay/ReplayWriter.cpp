#include "platform/replay/ReplayWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/FileBytes.h"
#include "platform/replay/ReplayScript.h"

namespace tvx::replay {

ReplayWriter::~ReplayWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

bool ReplayWriter::Open(const std::string& path, const std::optional<std::string>& ranking,
                        bool replace, std::string& error) {
  // O_EXCL: an existing recording is never written over unless that was asked for.
  const RegularFile file = OpenRegularFile(path, O_WRONLY | O_CREAT | (replace ? O_TRUNC : O_EXCL));
  if (file.fd < 0 || (file_ = fdopen(file.fd, "wb")) == nullptr) {
    const int cause = file.fd < 0 ? file.cause : errno;
    if (file.fd >= 0) close(file.fd);
    error = cause == EEXIST ? path + ": already exists (--force replaces it)"
            : cause != 0    ? path + ": cannot be created (" + std::strerror(cause) + ")"
                            : path + ": " + file.reason;
    return false;
  }
  path_ = path;
  Put(FormatHeader(ranking));
  return true;
}

void ReplayWriter::Write(const Entry& entry) {
  if (file_ == nullptr) return;
  if (IsAction(entry.kind)) {
    CloseBlock();
  } else if (block_.empty()) {
    // Answers before the first action belong to no block: they go out at once.
    FormatEntry(entry, block_);
    block_.push_back('\n');
    Put(block_);
    block_.clear();
    return;
  }
  FormatEntry(entry, block_);
  block_.push_back('\n');
}

void ReplayWriter::CloseBlock() {
  if (block_.empty()) return;
  if (block_ == previousBlock_ && repeats_ < kMaxRepeat) {
    ++repeats_;
  } else {
    if (repeats_ > 0) Put("repeat " + std::to_string(repeats_) + "\n");
    repeats_ = 0;
    Put(block_);
    previousBlock_.swap(block_);
  }
  block_.clear();
}

bool ReplayWriter::Finish(std::string& error) {
  if (file_ == nullptr) {
    error = "no recording was open";
    return false;
  }
  CloseBlock();
  if (repeats_ > 0) Put("repeat " + std::to_string(repeats_) + "\n");
  Put("end\n");
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (failed_ || !closed) {
    error = path_ + ": the recording could not be written completely";
    return false;
  }
  return true;
}

void ReplayWriter::Put(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) failed_ = true;
}

}  // namespace tvx::replay
