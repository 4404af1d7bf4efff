#include "setup/file/mat_var.h"

#include <mutex>

namespace zuv::setupfile {

namespace {

void Discard(int, char*) {}

}  // namespace

void QuietMatioLog() {
  static std::once_flag once;
  std::call_once(once, [] { Mat_LogInitFunc("zuv", &Discard); });
}

}  // namespace zuv::setupfile
