#pragma once

#include <QColor>
#include <QSize>

class QWidget;

namespace zuv {

// The look the choosing windows share: a fixed size on the table's felt, and
// modal by hand (see ChooseInWindow), since a modal window would make the
// system drop the main window's close box while it is open.
void DressAsFeltWindow(QWidget& window, const QColor& felt, QSize size);

}  // namespace zuv
