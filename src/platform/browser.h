#pragma once

#include <QString>

namespace zuv {

// Opens a web address or a file URL in the system's browser. False when no
// browser could be started.
bool ibrowse(const QString& address);

}  // namespace zuv
