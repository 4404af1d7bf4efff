#include "setup_source.h"

namespace zuv::zuvsim {

std::variant<Options, std::string> LoadSetup(Options options) {
  // Not connected yet: the setup-file library has no reader to call here.
  return "--setup: reading setup files is not available in this build of zuvsim (" + *options.setupFile + ")";
}

}  // namespace zuv::zuvsim
