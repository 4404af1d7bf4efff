#include "setup/file/setup_name.h"

namespace zuv::setupfile {

bool HasZuvEnding(const std::string& name) {
  const auto last = name.find_last_not_of('.');
  if (last == std::string::npos) return false;
  const std::string stem = name.substr(0, last + 1);
  const auto dot = stem.rfind('.');
  return dot != std::string::npos && stem.substr(dot + 1) == "zuv";
}

std::string WithZuvEnding(const std::string& name) { return HasZuvEnding(name) ? name : name + ".zuv"; }

}  // namespace zuv::setupfile
