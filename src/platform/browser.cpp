#include "platform/browser.h"

#include <QDesktopServices>
#include <QUrl>

namespace zuv {

bool ibrowse(const QString& address) { return QDesktopServices::openUrl(QUrl(address)); }

}  // namespace zuv
