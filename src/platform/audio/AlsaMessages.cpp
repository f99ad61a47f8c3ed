#include "platform/audio/AlsaMessages.h"

#include <dlfcn.h>

namespace tvx::audio_detail {

namespace {

// alsa-lib's snd_lib_error_handler_t: the message's source file, line, function, errno and
// printf format.
using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

void Ignore(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void QuietAlsaMessages() {
  // SDL loads alsa-lib by name when it tries its ALSA driver and is handed this same loaded
  // copy, whose handler is then already set. Looked up by name, so building needs no ALSA
  // headers; kept loaded for good, as the handler must stay in place.
  static void* const alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
  if (alsa == nullptr) return;
  const auto setHandler =
      reinterpret_cast<SetAlsaErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
  if (setHandler != nullptr) setHandler(&Ignore);
}

}  // namespace tvx::audio_detail
