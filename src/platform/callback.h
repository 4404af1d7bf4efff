#pragma once

#include <QString>

class QObject;

namespace zuv {

// The command text a control or menu item runs when it is used. The
// dispatcher runs it by name, so a control needs to know nothing of the
// folder whose command it starts.
void SetCallback(QObject* control, const QString& command);
QString Callback(const QObject* control);

}  // namespace zuv
