#include "shell/font_warm_up.h"

#include <dlfcn.h>

namespace rb::ui {

FontWarmUp::FontWarmUp() {
  // The toolkit reaches fontconfig through its own library; the entry is
  // looked up at run time rather than linked, so a desktop without it simply
  // skips the warm-up. FcInit may be called from any thread, and the
  // toolkit's own call later finds the configuration already read.
  using Init = int (*)();
  auto* init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
  if (init != nullptr) reader_ = std::thread([init] { init(); });
}

FontWarmUp::~FontWarmUp() {
  if (reader_.joinable()) reader_.join();
}

}  // namespace rb::ui
