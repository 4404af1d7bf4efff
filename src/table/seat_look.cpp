#include "table/seat_look.h"

#include <QAction>

#include "platform/graphics_items.h"
#include "state/app.h"
#include "table/table_style.h"

namespace zuv {

void DimDeactivatedPlayer(App& app, int seat) {
  if (seat < 1 || seat > kSeats) return;
  PlayerRecord& player = app.player(seat);
  if (PolygonItem* oval = player.patchhandle) {
    QColor face = app.TABLE.deactiveplayercolor.toQColor();
    face.setAlphaF(float(table_style::kInactiveFaceAlpha));
    oval->setBrush(face);
    // Only the face fades; the black edge keeps the empty seat's outline clear.
    oval->setPen(table_style::SeatEdge(Qt::black));
  }
  app.activeplayers(seat) = 0;
  app.simulateplayers(seat) = 0;
  if (player.cmitem1) player.cmitem1->setText("Activate player");
  if (player.cmitem2) player.cmitem2->setEnabled(false);
  if (player.cmitem3) player.cmitem3->setEnabled(false);
  if (player.cmitem4) player.cmitem4->setEnabled(false);
  if (player.handtextrectangle) player.handtextrectangle->hide();
  if (player.handtext) player.handtext->hide();
  if (player.playernrtexthandle) player.playernrtexthandle->setColor(Qt::black);
}

}  // namespace zuv
