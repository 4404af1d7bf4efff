#pragma once

#include <QPointF>
#include <QWidget>

namespace zuv {

// A thin frame around one control that lets the user move the control inside
// its window: pressing the frame (just around the control) and dragging moves
// both. The place is kept in fractions of the window, so it follows resizing.
class MovableFrame : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kBorder = 5;

  // Takes `control` as its child; `place` is the control's rectangle in
  // fractions of the parent (left, top, width, height; origin top left).
  MovableFrame(QWidget* control, QRectF place, QWidget* parent);

  // Places the frame for the parent's current size.
  void follow();
  QRectF place() const { return place_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QWidget* control_;
  QRectF place_;
  QPoint grab_;  // press point in frame coordinates while dragging
  bool dragging_ = false;
  bool hovered_ = false;
};

}  // namespace zuv
