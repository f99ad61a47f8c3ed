// The last error of the calling thread, as the library's callers read it back after a failure.
#pragma once

namespace tvx::audio_detail {

inline thread_local int lastAudioError = 0;

inline void SetAudioError(int code) { lastAudioError = code; }

}  // namespace tvx::audio_detail
