#pragma once
// Whether a precision target (--target-se) is within the hands a run may play.

#include <optional>
#include <string>

#include "options.h"

namespace zuv::zuvsim {

// The refusal, with the hands the target would need, when the table's spread
// (measured on the first checkpoint's hands, the same hands the run starts
// with) needs more hands than options.hands allows; nullopt otherwise.
std::optional<std::string> UnreachableTarget(const Options& options);

}  // namespace zuv::zuvsim
