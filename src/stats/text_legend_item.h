#pragma once

#include <qcustomplot.h>

namespace zuv {

// A legend row of text only, lined up with the texts of the series rows.
class TextLegendItem : public QCPAbstractLegendItem {
  Q_OBJECT
 public:
  TextLegendItem(QCPLegend* legend, const QString& text);
  QString text() const { return text_; }

 protected:
  void draw(QCPPainter* painter) override;
  QSize minimumOuterSizeHint() const override;

 private:
  int textLeft() const;
  QString text_;
};

}  // namespace zuv
