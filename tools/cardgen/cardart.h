// Drawing routines of the picture generator: card faces, card back, dealer
// button, About-window logo and banner. Everything is drawn with QPainter from
// our own shapes; suit symbols are painter paths, never font glyphs.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;

namespace cardart {

// Pixel size of a card picture. The program shows cards at 40 x 56 display
// pixels (5:7); five times that keeps them crisp on high-DPI screens.
inline constexpr int kCardWidth = 200;
inline constexpr int kCardHeight = 280;

// The table's felt green, RGB (14, 70, 0).
QColor feltGreen();
// Light yellow of the table texts, RGB (255, 255, 204).
QColor lightYellow();

// Value letters and suit letters in the order of the card numbers.
inline constexpr const char *kValueLetters = "23456789TJQKA";
inline constexpr const char *kSuitLetters = "shdc";

enum class Suit { Spades = 0, Hearts = 1, Diamonds = 2, Clubs = 3 };

// Suit symbol as a filled path inside the unit square (0,0)-(1,1), pointing up.
QPainterPath suitPath(Suit suit);
// Draws the suit symbol filled with `color`, fitted into `box` (kept square,
// centred in the box).
void drawSuit(QPainter &p, Suit suit, const QRectF &box, const QColor &color);

// Red for hearts and diamonds, near-black for spades and clubs.
QColor suitColor(Suit suit);

// Card face for value index 0..12 ("2".."A") and suit, kCardWidth x kCardHeight,
// transparent outside the rounded card outline.
QImage cardFace(int valueIndex, Suit suit);
// Patterned card back, same size and outline as a face.
QImage cardBack();

// Dealer button: `size` x `size` pixels, white disc with a bold "D".
QImage dealerButton(int size);

// About-window pictures, opaque on felt green.
QImage logo(int size);
// The program's icon for the desktop menus: the logo on a rounded tile with a
// transparent margin, size x size px.
QImage appIcon(int size);
QImage banner(int width, int height);

// Makes fully transparent pixels carry the felt green in their colour
// channels, so a reader that drops the alpha channel still sees the card on
// the table colour instead of black corners.
QImage withFeltUnderTransparency(const QImage &img);

} // namespace cardart
