#include "cardart.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace cardart {

namespace {

const QColor kRed(200, 16, 46);          // hearts and diamonds
const QColor kBlack(22, 22, 22);         // spades and clubs
const QColor kCardWhite(255, 255, 255);
const QColor kCardEdge(140, 140, 140);
const QColor kGold(214, 164, 38);
const QColor kGoldDark(110, 78, 8);
const QColor kCourtCream(255, 249, 228);
const QColor kCourtCreamDark(243, 228, 186);

constexpr double kCornerRadius = 14.0;

QFont boldSans()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(100);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QFont boldSerif()
{
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setBold(true);
    f.setPixelSize(100);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Height of the capitals of `font`, measured on the ink of an "E".
double capHeightOf(const QFont &font)
{
    QPainterPath e;
    e.addText(0, 0, font, QStringLiteral("E"));
    return -e.boundingRect().top();
}

// Outline of `text` scaled so that its capitals are `capHeight` tall,
// squeezed horizontally to at most `maxWidth`, its ink centred on `centreX`
// and its baseline on `baseline`.
QPainterPath textPath(const QString &text, const QFont &font, double capHeight,
                      double maxWidth, double centreX, double baseline)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const double s = capHeight / capHeightOf(font);
    const QRectF ink = path.boundingRect();
    double sx = s;
    if (ink.width() * s > maxWidth)
        sx = maxWidth / ink.width();
    QTransform t;
    t.translate(centreX - ink.center().x() * sx, baseline);
    t.scale(sx, s);
    return t.map(path);
}

// "10" drawn from two separate digits set closer than the font would, so the
// two-digit rank keeps the same height and stroke as the single letters.
QPainterPath tenPath(const QFont &font, double capHeight, double maxWidth,
                     double centreX, double baseline)
{
    QPainterPath one = textPath(QStringLiteral("1"), font, capHeight, 1e9, 0, baseline);
    QPainterPath zero = textPath(QStringLiteral("0"), font, capHeight, 1e9, 0, baseline);
    const double gap = capHeight * 0.02;
    const double w1 = one.boundingRect().width();
    const double w0 = zero.boundingRect().width();
    one.translate(-one.boundingRect().left(), 0);
    zero.translate(-zero.boundingRect().left() + w1 + gap, 0);
    QPainterPath both = one.united(zero);
    const double total = w1 + gap + w0;
    const double sx = std::min(1.0, maxWidth / total);
    QTransform t;
    t.translate(centreX - total * sx / 2.0, 0);
    t.scale(sx, 1.0);
    return t.map(both);
}

QString rankText(int valueIndex)
{
    static const char *names[13] = {"2", "3", "4", "5", "6", "7", "8",
                                    "9", "10", "J", "Q", "K", "A"};
    return QString::fromLatin1(names[valueIndex]);
}

QPainterPath rankPath(int valueIndex, double capHeight, double maxWidth,
                      double centreX, double baseline)
{
    const QFont f = boldSans();
    if (valueIndex == 8)
        return tenPath(f, capHeight, maxWidth, centreX, baseline);
    return textPath(rankText(valueIndex), f, capHeight, maxWidth, centreX, baseline);
}

QPainterPath circle(double cx, double cy, double r)
{
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), r, r);
    return p;
}

// Flared stem under the spade and the club.
QPainterPath stem(double topY)
{
    QPainterPath p;
    p.moveTo(0.47, topY);
    p.quadTo(0.47, 0.88, 0.27, 1.0);
    p.lineTo(0.73, 1.0);
    p.quadTo(0.53, 0.88, 0.53, topY);
    p.closeSubpath();
    return p;
}

QPainterPath heartShape()
{
    // Two lobes joined to a pointed base; the sides leave the lobes along
    // their tangents so the outline has no kinks.
    const double r = 0.255;
    const double lx = 0.5 - r * 0.98, rx = 0.5 + r * 0.98, cy = 0.29;
    QPainterPath lobes = circle(lx, cy, r).united(circle(rx, cy, r));
    const double k = std::sqrt(0.5);
    const QPointF leftTangent(lx - r * k, cy + r * k);
    const QPointF rightTangent(rx + r * k, cy + r * k);
    QPainterPath base;
    base.moveTo(leftTangent);
    base.quadTo(QPointF(leftTangent.x() + 0.23, leftTangent.y() + 0.23), QPointF(0.5, 0.98));
    base.quadTo(QPointF(rightTangent.x() - 0.23, rightTangent.y() + 0.23), rightTangent);
    base.lineTo(0.5, cy);
    base.closeSubpath();
    return lobes.united(base).simplified();
}

} // namespace

QColor feltGreen() { return QColor(14, 70, 0); }
QColor lightYellow() { return QColor(255, 255, 204); }

QColor suitColor(Suit suit)
{
    return (suit == Suit::Hearts || suit == Suit::Diamonds) ? kRed : kBlack;
}

QPainterPath suitPath(Suit suit)
{
    switch (suit) {
    case Suit::Hearts:
        return heartShape();
    case Suit::Spades: {
        // An upside-down heart, somewhat squatter, on a stem.
        QTransform flip;
        flip.translate(0, 0.80);
        flip.scale(1.0, -0.80);
        QPainterPath body = flip.map(heartShape());
        return body.united(stem(0.55)).simplified();
    }
    case Suit::Diamonds: {
        QPainterPath p;
        p.moveTo(0.5, 0.0);
        p.quadTo(0.66, 0.29, 0.89, 0.5);
        p.quadTo(0.66, 0.71, 0.5, 1.0);
        p.quadTo(0.34, 0.71, 0.11, 0.5);
        p.quadTo(0.34, 0.29, 0.5, 0.0);
        p.closeSubpath();
        return p;
    }
    case Suit::Clubs: {
        const double r = 0.225;
        QPainterPath p = circle(0.5, 0.245, r);
        p = p.united(circle(0.5 - 0.265, 0.585, r));
        p = p.united(circle(0.5 + 0.265, 0.585, r));
        QPainterPath middle;
        middle.moveTo(0.5, 0.3);
        middle.lineTo(0.30, 0.62);
        middle.lineTo(0.70, 0.62);
        middle.closeSubpath();
        p = p.united(middle);
        return p.united(stem(0.55)).simplified();
    }
    }
    return {};
}

void drawSuit(QPainter &p, Suit suit, const QRectF &box, const QColor &color)
{
    const double side = std::min(box.width(), box.height());
    const QRectF sq(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    QTransform t;
    t.translate(sq.left(), sq.top());
    t.scale(side, side);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(t.map(suitPath(suit)));
    p.restore();
}

namespace {

QImage blankCard()
{
    QImage img(kCardWidth, kCardHeight, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QRectF cardOutline() { return QRectF(1.0, 1.0, kCardWidth - 2.0, kCardHeight - 2.0); }

void paintCardBase(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kCardEdge, 2.0));
    p.setBrush(kCardWhite);
    p.drawRoundedRect(cardOutline(), kCornerRadius, kCornerRadius);
}

// Corner index: large rank over the suit, in the top-left corner. The
// card-choosing window overlaps neighbouring cards so that only the left
// 25 of 40 display pixels show, and the table overlaps the two hole cards
// leaving the left third of the lower card: the index stays inside that strip.
void paintIndex(QPainter &p, int valueIndex, Suit suit)
{
    const QColor c = suitColor(suit);
    const double cx = 29.0;
    const double capHeight = 60.0;
    const double top = 13.0;
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const QPainterPath rank = rankPath(valueIndex, capHeight, valueIndex == 8 ? 52.0 : 46.0, cx, top + capHeight);
    p.drawPath(rank);
    // Below the baseline, or below the tail of a Q or J where it reaches lower.
    const double suitTop = std::max(top + capHeight + 8.0, rank.boundingRect().bottom() + 4.0);
    const double suitSide = 38.0;
    drawSuit(p, suit, QRectF(cx - suitSide / 2, suitTop, suitSide, suitSide), c);
}

void paintBothIndices(QPainter &p, int valueIndex, Suit suit)
{
    paintIndex(p, valueIndex, suit);
    p.save();
    p.translate(kCardWidth, kCardHeight);
    p.rotate(180);
    paintIndex(p, valueIndex, suit);
    p.restore();
}

// Crown, cap or coronet over the court letter; drawn centred on `cx` between
// `top` and `bottom`.
void paintHeadwear(QPainter &p, int valueIndex, Suit suit, double cx, double top, double bottom)
{
    const double w = 50.0;
    const double l = cx - w / 2, r = cx + w / 2;
    const double bandTop = bottom - 9.0;
    QPainterPath shape;
    QPainterPath balls;
    if (valueIndex == 11) { // king: three tall points
        shape.moveTo(l, bandTop);
        shape.lineTo(l + 3, top + 6);
        shape.lineTo(cx - 12, bandTop - 10);
        shape.lineTo(cx, top);
        shape.lineTo(cx + 12, bandTop - 10);
        shape.lineTo(r - 3, top + 6);
        shape.lineTo(r, bandTop);
        shape.closeSubpath();
        balls.addEllipse(QPointF(l + 3, top + 6), 3.2, 3.2);
        balls.addEllipse(QPointF(cx, top), 3.6, 3.6);
        balls.addEllipse(QPointF(r - 3, top + 6), 3.2, 3.2);
    } else if (valueIndex == 10) { // queen: coronet of five small points
        const double h = bandTop - top;
        shape.moveTo(l + 2, bandTop);
        const double xs[5] = {l + 4, cx - 11, cx, cx + 11, r - 4};
        const double hs[5] = {0.55, 0.75, 0.95, 0.75, 0.55};
        for (int i = 0; i < 5; ++i) {
            if (i > 0)
                shape.quadTo((xs[i - 1] + xs[i]) / 2, bandTop - h * 0.15, xs[i], bandTop - h * hs[i]);
            else
                shape.lineTo(xs[i], bandTop - h * hs[i]);
            balls.addEllipse(QPointF(xs[i], bandTop - h * hs[i]), i == 2 ? 3.4 : 2.6, i == 2 ? 3.4 : 2.6);
        }
        shape.lineTo(r - 2, bandTop);
        shape.closeSubpath();
    } else { // jack: soft cap in the suit's colour with a gold tassel
        QPainterPath cap;
        cap.moveTo(l + 3, bandTop + 1);
        cap.cubicTo(l + 1, top + 4, r - 1, top + 4, r - 3, bandTop + 1);
        cap.closeSubpath();
        p.setPen(QPen(kGoldDark, 1.2));
        p.setBrush(suitColor(suit));
        p.drawPath(cap);
        p.setPen(QPen(kGold, 1.2));
        p.drawLine(QPointF(cx, top + 9), QPointF(cx, bandTop));
        balls.addEllipse(QPointF(cx, top + 5.5), 4.2, 4.2);
    }
    p.setPen(QPen(kGoldDark, 1.4));
    p.setBrush(kGold);
    p.drawPath(shape);
    p.drawPath(balls);
    // Band with a jewel in the suit's colour.
    p.drawRoundedRect(QRectF(l, bandTop, w, bottom - bandTop), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(suitColor(suit));
    p.drawEllipse(QPointF(cx, bandTop + (bottom - bandTop) / 2), 3.0, 3.0);
    p.drawEllipse(QPointF(cx - 15, bandTop + (bottom - bandTop) / 2), 2.0, 2.0);
    p.drawEllipse(QPointF(cx + 15, bandTop + (bottom - bandTop) / 2), 2.0, 2.0);
}

// Framed court panel for J, Q and K: the letter under its headwear and the
// suit below, repeated upside down in the lower half like a real court card.
void paintCourtPanel(QPainter &p, int valueIndex, Suit suit)
{
    const QRectF panel(60.0, 16.0, 80.0, kCardHeight - 32.0);
    const QColor c = suitColor(suit);
    QLinearGradient g(panel.topLeft(), panel.bottomLeft());
    g.setColorAt(0.0, kCourtCreamDark);
    g.setColorAt(0.5, kCourtCream);
    g.setColorAt(1.0, kCourtCreamDark);
    p.setPen(QPen(c, 2.0));
    p.setBrush(g);
    p.drawRoundedRect(panel, 5, 5);
    p.setPen(QPen(kGold, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(panel.adjusted(4, 4, -4, -4), 3, 3);

    const double cx = panel.center().x();
    const double midY = panel.center().y();
    for (int half = 0; half < 2; ++half) {
        p.save();
        if (half == 1) {
            p.translate(kCardWidth, kCardHeight);
            p.rotate(180);
        }
        const double top = panel.top() + 10.0;
        paintHeadwear(p, valueIndex, suit, cx, top, top + 28.0);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        const double capH = 40.0;
        const QString letter = rankText(valueIndex);
        const QPainterPath letterPath = textPath(letter, boldSerif(), capH, 60.0, cx, top + 31.0 + capH);
        p.drawPath(letterPath);
        const double suitTop = std::max(top + 31.0 + capH + 5.0, letterPath.boundingRect().bottom() + 3.0);
        drawSuit(p, suit, QRectF(cx - 10, suitTop, 20, 20), c);
        p.restore();
    }
    // Divider between the two halves.
    p.setPen(QPen(kGold, 1.5));
    p.drawLine(QPointF(panel.left() + 8, midY), QPointF(panel.right() - 8, midY));
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    QPainterPath lozenge;
    lozenge.moveTo(cx, midY - 5);
    lozenge.lineTo(cx + 7, midY);
    lozenge.lineTo(cx, midY + 5);
    lozenge.lineTo(cx - 7, midY);
    lozenge.closeSubpath();
    p.drawPath(lozenge);
}

} // namespace

QImage withFeltUnderTransparency(const QImage &src)
{
    QImage img = src.convertToFormat(QImage::Format_ARGB32);
    const QRgb felt = feltGreen().rgb() & 0x00ffffff;
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(line[x]) == 0)
                line[x] = felt;
    }
    return img;
}

QImage cardFace(int valueIndex, Suit suit)
{
    QImage img = blankCard();
    QPainter p(&img);
    paintCardBase(p);
    paintBothIndices(p, valueIndex, suit);
    const QPointF centre(kCardWidth / 2.0, kCardHeight / 2.0);
    if (valueIndex >= 9 && valueIndex <= 11) {
        paintCourtPanel(p, valueIndex, suit);
    } else {
        const double side = valueIndex == 12 ? 118.0 : 92.0;
        drawSuit(p, suit, QRectF(centre.x() - side / 2, centre.y() - side / 2, side, side),
                 suitColor(suit));
    }
    p.end();
    return img;
}

QImage cardBack()
{
    QImage img = blankCard();
    QPainter p(&img);
    paintCardBase(p);

    const QColor deep(128, 18, 36);
    const QColor mid(168, 34, 54);
    const QRectF field = cardOutline().adjusted(11, 11, -11, -11);
    QPainterPath fieldPath;
    fieldPath.addRoundedRect(field, 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(deep);
    p.drawPath(fieldPath);

    p.save();
    p.setClipPath(fieldPath);
    // Diamond lattice: two families of diagonals, and a lighter diamond in
    // every cell.
    const double step = 20.0;
    const QPointF c(kCardWidth / 2.0, kCardHeight / 2.0);
    for (int i = -20; i <= 20; ++i) {
        for (int j = -20; j <= 20; ++j) {
            const double x = c.x() + (i - j) * step / 2.0;
            const double y = c.y() + (i + j) * step / 2.0;
            if (x < field.left() - step || x > field.right() + step || y < field.top() - step ||
                y > field.bottom() + step)
                continue;
            QPainterPath d;
            d.moveTo(x, y - step * 0.32);
            d.lineTo(x + step * 0.32, y);
            d.lineTo(x, y + step * 0.32);
            d.lineTo(x - step * 0.32, y);
            d.closeSubpath();
            p.setBrush(mid);
            p.drawPath(d);
        }
    }
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.3));
    for (int k = -30; k <= 30; ++k) {
        const double off = k * step;
        p.drawLine(QPointF(c.x() + off - 300, c.y() - 300), QPointF(c.x() + off + 300, c.y() + 300));
        p.drawLine(QPointF(c.x() + off + 300, c.y() - 300), QPointF(c.x() + off - 300, c.y() + 300));
    }
    p.restore();

    // Inner frame.
    p.setPen(QPen(QColor(255, 255, 255), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(field.adjusted(5, 5, -5, -5), 5, 5);

    // Central medallion with the product's "Z".
    p.setPen(QPen(QColor(255, 255, 255), 3.0));
    p.setBrush(deep);
    p.drawEllipse(c, 30.0, 38.0);
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 24.5, 32.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(textPath(QStringLiteral("Z"), boldSerif(), 30.0, 40.0, c.x(), c.y() + 15.0));
    p.end();
    return img;
}

QImage dealerButton(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double s = size / 104.0; // drawn for 104 px, scaled for other sizes
    p.scale(s, s);
    const QPointF c(51.0, 51.0);
    const double r = 47.0;
    // Soft shadow to the lower right.
    for (int i = 0; i < 5; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 22));
        p.drawEllipse(c + QPointF(1.8, 2.2), r + 2.6 - i * 0.6, r + 2.6 - i * 0.6);
    }
    QRadialGradient g(c + QPointF(-14, -16), r * 1.5);
    g.setColorAt(0.0, QColor(255, 255, 253));
    g.setColorAt(0.6, QColor(246, 245, 238));
    g.setColorAt(1.0, QColor(214, 212, 204));
    p.setPen(QPen(QColor(120, 120, 116), 2.4));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(172, 170, 162), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r - 8.0, r - 8.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 12, 12));
    p.drawPath(textPath(QStringLiteral("D"), boldSans(), 50.0, 60.0, c.x(), c.y() + 25.0));
    p.end();
    return img;
}

namespace {

// Felt green with a soft light in the middle, fading to the plain felt at the
// edges so the picture blends into the About window.
void paintFelt(QPainter &p, const QRectF &area)
{
    p.fillRect(area, feltGreen());
    QRadialGradient g(area.center(), std::max(area.width(), area.height()) * 0.5);
    g.setColorAt(0.0, QColor(44, 112, 22));
    g.setColorAt(0.75, QColor(20, 80, 4));
    g.setColorAt(1.0, feltGreen());
    p.fillRect(area, g);
}

void drawCardImage(QPainter &p, const QImage &card, const QPointF &centre, double width, double angle)
{
    const double h = width * kCardHeight / kCardWidth;
    p.save();
    p.translate(centre);
    p.rotate(angle);
    // Shadow.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(QColor(0, 0, 0, 28));
        const double grow = 3.0 - i;
        p.drawRoundedRect(QRectF(-width / 2 + 3 - grow, -h / 2 + 4 - grow, width + 2 * grow, h + 2 * grow),
                          8, 8);
    }
    p.drawImage(QRectF(-width / 2, -h / 2, width, h), card);
    p.restore();
}

// The logo's art on a 180 x 180 area: two fanned cards and a chip on the felt.
void paintLogoArt(QPainter &p)
{
    paintFelt(p, QRectF(0, 0, 180, 180));

    const QImage ace = cardFace(12, Suit::Spades);
    const QImage king = cardFace(11, Suit::Hearts);
    drawCardImage(p, king, QPointF(66, 84), 86, -14);
    drawCardImage(p, ace, QPointF(114, 84), 86, 12);

    // A chip with the product's "Z" in front.
    const QPointF cc(58, 140);
    const double r = 26;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(cc + QPointF(2, 3), r + 1, r + 1);
    p.setBrush(QColor(200, 16, 46));
    p.drawEllipse(cc, r, r);
    // Edge stripes.
    p.setBrush(QColor(255, 255, 255));
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(cc);
        p.rotate(i * 45.0);
        p.drawRect(QRectF(-4, -r, 8, 7));
        p.restore();
    }
    p.setPen(QPen(QColor(255, 255, 255), 1.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(cc, r - 10, r - 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(cc, r - 12.5, r - 12.5);
    p.setBrush(QColor(200, 16, 46));
    p.drawPath(textPath(QStringLiteral("Z"), boldSerif(), 16.0, 20.0, cc.x(), cc.y() + 8.0));
}

} // namespace

QImage logo(int size)
{
    QImage img(size, size, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.scale(size / 180.0, size / 180.0);
    paintLogoArt(p);
    p.end();
    return img;
}

QImage appIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.scale(size / 180.0, size / 180.0);
    // A rounded tile with a thin margin, as desktop icons are.
    const QRectF tile(6, 6, 168, 168);
    QPainterPath outline;
    outline.addRoundedRect(tile, 30, 30);
    p.setClipPath(outline);
    p.translate(tile.topLeft());
    p.scale(tile.width() / 180.0, tile.height() / 180.0);
    paintLogoArt(p);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage banner(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double s = height / 40.0;
    p.scale(s, s);
    const double w = width / s;
    p.fillRect(QRectF(0, 0, w, 40), feltGreen());

    const QColor yellow = lightYellow();
    const double capH = 22.0;
    const QPainterPath title = textPath(QStringLiteral("Zuv Poker Simulator"), boldSerif(), capH, w * 0.7,
                                        w / 2, 20.0 + capH / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(yellow);
    p.drawPath(title);

    // Suit symbols and fine rules either side of the name.
    const QRectF tb = title.boundingRect();
    const double gap = 16.0, side = 17.0;
    const Suit leftSuits[2] = {Suit::Spades, Suit::Hearts};
    const Suit rightSuits[2] = {Suit::Diamonds, Suit::Clubs};
    double x = tb.left() - gap - 2 * side - 6;
    for (int i = 0; i < 2; ++i)
        drawSuit(p, leftSuits[i], QRectF(x + i * (side + 6), 20 - side / 2, side, side), yellow);
    const double leftEnd = x - 12;
    x = tb.right() + gap;
    for (int i = 0; i < 2; ++i)
        drawSuit(p, rightSuits[i], QRectF(x + i * (side + 6), 20 - side / 2, side, side), yellow);
    const double rightStart = x + 2 * side + 6 + 12;

    QLinearGradient lg(QPointF(20, 0), QPointF(leftEnd, 0));
    lg.setColorAt(0.0, feltGreen());
    lg.setColorAt(1.0, yellow);
    p.setPen(QPen(QBrush(lg), 1.4));
    p.drawLine(QPointF(20, 20), QPointF(leftEnd, 20));
    QLinearGradient rg(QPointF(rightStart, 0), QPointF(w - 20, 0));
    rg.setColorAt(0.0, yellow);
    rg.setColorAt(1.0, feltGreen());
    p.setPen(QPen(QBrush(rg), 1.4));
    p.drawLine(QPointF(rightStart, 20), QPointF(w - 20, 20));
    p.end();
    return img;
}

} // namespace cardart
