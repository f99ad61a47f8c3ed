#include "platform/LeakCheckAtExit.h"

#include <dlfcn.h>
#include <link.h>

#include <string>
#include <vector>

namespace tvx {

namespace {

int AddName(dl_phdr_info* info, std::size_t, void* names) {
  if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0')
    static_cast<std::vector<std::string>*>(names)->emplace_back(info->dlpi_name);
  return 0;
}

}  // namespace

void KeepLibrariesLoaded() {
  // Names first: the loader is not to be called back into while it walks its list.
  std::vector<std::string> names;
  dl_iterate_phdr(&AddName, &names);
  // RTLD_NOLOAD loads nothing new; it marks the loaded library never to be unloaded.
  for (const std::string& name : names)
    dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
}

}  // namespace tvx

#if defined(__SANITIZE_ADDRESS__) || defined(__has_feature)
#if defined(__SANITIZE_ADDRESS__) || __has_feature(address_sanitizer)
// LeakSanitizer's built-in suppressions for a player's run, who sets no LSAN_OPTIONS; the
// suppressed leaks are the system's and not listed at exit.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
extern "C" const char* __lsan_default_suppressions() {
  return
#include "system_leaks.supp.inc"
      ;
}
#endif
#endif
