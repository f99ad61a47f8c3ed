// SDL's video subsystem opened and closed around a benchmark that makes its own windows.
#pragma once

#include <string>

namespace tvx::probes {

// False and `error` when there is no display SDL can use.
bool StartSdlVideo(std::string& error);

// Closes what SDL still has open.
void ShutDownSdl();

}  // namespace tvx::probes
