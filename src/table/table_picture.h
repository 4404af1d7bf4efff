#pragma once

#include <QPixmap>
#include <QRectF>

#include "platform/graphics_items.h"

namespace zuv {

// A picture that always fills a fixed box of the table, whatever the size of
// the pixmap it shows: the card faces, the back and the dealer button are
// stored at full resolution and drawn a few dozen pixels wide. It paints a
// copy scaled down once for the screen's resolution, which stays much
// sharper than scaling the full pixmap while painting.
class TablePicture : public PictureItem {
 public:
  explicit TablePicture(const QRectF& sceneBox, QGraphicsItem* parent = nullptr);

  QRectF box() const { return box_; }

  QRectF boundingRect() const override;
  QPainterPath shape() const override;
  bool contains(const QPointF& point) const override;
  QPainterPath opaqueArea() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  QRectF box_;
  QPixmap scaled_;
  qint64 scaledFrom_ = 0;  // cache key of the pixmap that scaled_ was made from
};

}  // namespace zuv
