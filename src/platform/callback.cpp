#include "platform/callback.h"

#include <QObject>
#include <QVariant>

namespace zuv {

namespace {
constexpr const char* kCallbackProperty = "zuvCallback";
}  // namespace

void SetCallback(QObject* control, const QString& command) { control->setProperty(kCallbackProperty, command); }

QString Callback(const QObject* control) { return control->property(kCallbackProperty).toString(); }

}  // namespace zuv
