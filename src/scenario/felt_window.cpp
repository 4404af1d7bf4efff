#include "scenario/felt_window.h"

#include <QPalette>
#include <QWidget>

namespace zuv {

void DressAsFeltWindow(QWidget& window, const QColor& felt, QSize size) {
  window.setWindowModality(Qt::NonModal);
  window.setFixedSize(size);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, felt);
  window.setPalette(palette);
  window.setAutoFillBackground(true);
}

}  // namespace zuv
