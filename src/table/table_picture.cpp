#include "table/table_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace zuv {

TablePicture::TablePicture(const QRectF& sceneBox, QGraphicsItem* parent) : PictureItem(parent), box_(sceneBox) {
  setTransformationMode(Qt::SmoothTransformation);
}

QRectF TablePicture::boundingRect() const { return box_; }

QPainterPath TablePicture::shape() const {
  QPainterPath path;
  path.addRect(box_);
  return path;
}

bool TablePicture::contains(const QPointF& point) const { return box_.contains(point); }

// Cards have rounded, see-through corners and are often half transparent, so
// nothing below them may be skipped.
QPainterPath TablePicture::opaqueArea() const { return {}; }

void TablePicture::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  const QPixmap& source = pixmap();
  if (source.isNull() || box_.isEmpty()) return;
  const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
  const QRectF onDevice = painter->worldTransform().mapRect(box_);
  const QSize target(std::max(1, int(std::lround(onDevice.width() * ratio))),
                     std::max(1, int(std::lround(onDevice.height() * ratio))));
  if (scaledFrom_ != source.cacheKey() || scaled_.size() != target) {
    scaled_ = source.size() == target ? source
                                      : source.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaledFrom_ = source.cacheKey();
  }
  painter->setRenderHint(QPainter::SmoothPixmapTransform);
  painter->drawPixmap(box_, scaled_, QRectF(scaled_.rect()));
}

}  // namespace zuv
