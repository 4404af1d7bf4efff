#include "stats/text_legend_item.h"

namespace zuv {

TextLegendItem::TextLegendItem(QCPLegend* legend, const QString& text) : QCPAbstractLegendItem(legend), text_(text) {
  setFont(legend->font());
  setTextColor(legend->textColor());
}

int TextLegendItem::textLeft() const { return mParentLegend->iconSize().width() + mParentLegend->iconTextPadding(); }

void TextLegendItem::draw(QCPPainter* painter) {
  painter->setFont(mFont);
  painter->setPen(QPen(mTextColor));
  const QRect box = mRect.adjusted(textLeft(), 0, 0, 0);
  painter->drawText(box, Qt::TextDontClip | Qt::AlignLeft | Qt::AlignVCenter, text_);
}

QSize TextLegendItem::minimumOuterSizeHint() const {
  const QFontMetrics metrics(mFont);
  const QRect text = metrics.boundingRect(0, 0, 0, 0, Qt::TextDontClip, text_);
  const int height = std::max(text.height(), mParentLegend->iconSize().height());
  return QSize(textLeft() + text.width(), height) + QSize(mMargins.left() + mMargins.right(),
                                                          mMargins.top() + mMargins.bottom());
}

}  // namespace zuv
