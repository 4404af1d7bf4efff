#include "stats/movable_frame.h"

#include <QMouseEvent>
#include <QPainter>

namespace zuv {

MovableFrame::MovableFrame(QWidget* control, QRectF place, QWidget* parent)
    : QWidget(parent), control_(control), place_(place) {
  control_->setParent(this);
  setCursor(Qt::SizeAllCursor);
  control_->setCursor(Qt::ArrowCursor);
  follow();
}

void MovableFrame::follow() {
  const QSize window = parentWidget() ? parentWidget()->size() : size();
  QRect inner(qRound(place_.left() * window.width()), qRound(place_.top() * window.height()),
              qRound(place_.width() * window.width()), qRound(place_.height() * window.height()));
  // A small window must not clip the control's text.
  inner.setSize(inner.size().expandedTo(control_->sizeHint()));
  setGeometry(inner.adjusted(-kBorder, -kBorder, kBorder, kBorder));
  control_->setGeometry(kBorder, kBorder, inner.width(), inner.height());
}

void MovableFrame::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  dragging_ = true;
  grab_ = event->position().toPoint();
  raise();
  event->accept();
}

void MovableFrame::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !parentWidget()) return QWidget::mouseMoveEvent(event);
  const QSize window = parentWidget()->size();
  QPoint topLeft = mapToParent(event->position().toPoint()) - grab_;
  // Keep the control inside the window.
  topLeft.setX(std::clamp(topLeft.x(), -kBorder, std::max(-kBorder, window.width() - width() + kBorder)));
  topLeft.setY(std::clamp(topLeft.y(), -kBorder, std::max(-kBorder, window.height() - height() + kBorder)));
  place_.moveTo(double(topLeft.x() + kBorder) / window.width(), double(topLeft.y() + kBorder) / window.height());
  follow();
  event->accept();
}

void MovableFrame::mouseReleaseEvent(QMouseEvent* event) {
  dragging_ = false;
  event->accept();
}

void MovableFrame::enterEvent(QEnterEvent*) {
  hovered_ = true;
  update();
}

void MovableFrame::leaveEvent(QEvent*) {
  hovered_ = false;
  update();
}

void MovableFrame::paintEvent(QPaintEvent*) {
  // The frame shows itself only under the mouse, as a hint that it can be grabbed.
  if (!hovered_ && !dragging_) return;
  QPainter painter(this);
  QColor ink = control_->palette().color(QPalette::WindowText);
  ink.setAlphaF(0.7f);
  painter.setPen(QPen(ink, 1, Qt::DotLine));
  painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

}  // namespace zuv
