#pragma once

#include <QGraphicsPixmapItem>
#include <QGraphicsPolygonItem>
#include <QGraphicsScene>
#include <QGraphicsSceneContextMenuEvent>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsSimpleTextItem>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <functional>

namespace zuv {

// A scene whose items run command texts when they are clicked.
class CommandScene : public QGraphicsScene {
 public:
  using QGraphicsScene::QGraphicsScene;

  // Runs an item's command text; the item becomes the current object first.
  std::function<void(QGraphicsItem* source, const QString& command)> runCommand;
  // Called before an item's context menu opens or its command runs.
  std::function<void(QGraphicsItem* source)> setCurrentObject;
};

// Adds a button-down command, a context menu and a hit-test switch to a
// graphics item, the way every picture, polygon and text of the program reacts.
template <class Base>
class Clickable : public Base {
 public:
  using Base::Base;

  void setButtonDownFcn(const QString& command) { buttonDownFcn_ = command; }
  const QString& buttonDownFcn() const { return buttonDownFcn_; }
  void setContextMenu(QMenu* menu) { contextMenu_ = menu; }
  QMenu* contextMenu() const { return contextMenu_; }
  // An item that ignores clicks lets them through to the items below it.
  void setHitTest(bool on) {
    hitTest_ = on;
    this->setAcceptedMouseButtons(on ? Qt::AllButtons : Qt::NoButton);
  }
  bool hitTest() const { return hitTest_; }

 protected:
  void mousePressEvent(QGraphicsSceneMouseEvent* event) override {
    auto* scene = dynamic_cast<CommandScene*>(this->scene());
    if (!hitTest_ || !scene) {
      event->ignore();
      return;
    }
    if (scene->setCurrentObject) scene->setCurrentObject(this);
    if (event->button() == Qt::LeftButton && !buttonDownFcn_.isEmpty() && scene->runCommand) {
      event->accept();
      scene->runCommand(this, buttonDownFcn_);
      return;
    }
    // Accept so that a right button press reaches the context-menu event.
    event->accept();
  }

  void contextMenuEvent(QGraphicsSceneContextMenuEvent* event) override {
    auto* scene = dynamic_cast<CommandScene*>(this->scene());
    if (!hitTest_ || !contextMenu_) {
      event->ignore();
      return;
    }
    if (scene && scene->setCurrentObject) scene->setCurrentObject(this);
    event->accept();
    contextMenu_->popup(event->screenPos());
  }

 private:
  QString buttonDownFcn_;
  QPointer<QMenu> contextMenu_;
  bool hitTest_ = true;
};

using PolygonItem = Clickable<QGraphicsPolygonItem>;

// A card or button picture. Its opacity is the picture's alpha value.
class PictureItem : public Clickable<QGraphicsPixmapItem> {
 public:
  using Clickable<QGraphicsPixmapItem>::Clickable;
  void setAlpha(double alpha) { setOpacity(alpha); }
  double alpha() const { return opacity(); }
};

// A text that stays anchored at a point with the given alignment when its
// string changes (the table's seat numbers and hand captions are centred).
class TextItem : public Clickable<QGraphicsSimpleTextItem> {
 public:
  explicit TextItem(QGraphicsItem* parent = nullptr) : Clickable<QGraphicsSimpleTextItem>(parent) {}

  void setAnchor(const QPointF& anchor, Qt::Alignment alignment = Qt::AlignCenter) {
    anchor_ = anchor;
    alignment_ = alignment;
    realign();
  }
  void setString(const QString& text) {
    setText(text);
    realign();
  }
  void setColor(const QColor& color) { setBrush(color); }
  QColor color() const { return brush().color(); }
  void setTextFont(const QFont& font) {
    setFont(font);
    realign();
  }
  QPointF anchor() const { return anchor_; }

 private:
  void realign() {
    const QRectF box = boundingRect();
    qreal x = anchor_.x();
    qreal y = anchor_.y();
    if (alignment_ & Qt::AlignHCenter) x -= box.width() / 2;
    else if (alignment_ & Qt::AlignRight) x -= box.width();
    if (alignment_ & Qt::AlignVCenter) y -= box.height() / 2;
    else if (alignment_ & Qt::AlignBottom) y -= box.height();
    setPos(x, y);
  }

  QPointF anchor_;
  Qt::Alignment alignment_ = Qt::AlignCenter;
};

}  // namespace zuv
