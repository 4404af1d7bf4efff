// zuvcardgen: draws the pictures that Zuv Poker Simulator reads at start-up.
//
//   zuvcardgen [--preview FILE.png] [OUTDIR]
//   zuvcardgen --verify DIR
//
// Writes into OUTDIR (default: the current folder)
//   cardimages/2s.png ... cardimages/Ac.png   52 card faces, 200 x 280 px
//   cardimages/backside.png                   card back, 200 x 280 px
//   cardimages/dealerbutton.png               dealer button, 104 x 104 px
//   ZuvPokerLogo.jpg                          About-window logo, 180 x 180 px
//   BannerText.jpg                            About-window banner, 720 x 40 px
//   desktop/icons/hicolor/NxN/apps/zuvpoker.png   menu icon, N = 32 ... 256
//
// Dealer button size: the table gives the button a span of
// (picture pixels / 240 * 1.29) data units per side. The picture is drawn at
// four times the size it is meant to appear at, and says so in the PNG text
// chunk "Zuv-DisplayScale" = "4": the table divides the pixel size by that
// scale (1 when the key is missing), so the 104 px picture spans
// 26 / 240 * 1.29 = 0.14 units, about two thirds of a card's width.
//
// --preview additionally writes a contact sheet of everything at its display
// sizes on the felt green, for looking at the pictures.
// --verify checks that DIR holds every picture with the sizes, transparency
// and dealer-button scale above, draws nothing, and exits 1 on any problem.

#include "cardart.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <cstdio>

using namespace cardart;

namespace {

// Downscaled the way the program should scale them: area-averaged.
QImage shrink(const QImage &img, int w, int h)
{
    return img.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

constexpr int kButtonPixels = 104;
constexpr int kButtonDisplayScale = 4;
constexpr int kIconSizes[] = {32, 48, 64, 128, 256};

QString iconPath(int size)
{
    return QStringLiteral("desktop/icons/hicolor/%1x%1/apps/zuvpoker.png").arg(size);
}

bool save(const QImage &img, const QString &path, const char *format, int quality = -1)
{
    if (!img.save(path, format, quality)) {
        std::fprintf(stderr, "zuvcardgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QString cardName(int valueIndex, int suitIndex)
{
    return QString(QLatin1Char(kValueLetters[valueIndex])) + QLatin1Char(kSuitLetters[suitIndex]);
}

QImage preview(const QList<QImage> &faces, const QImage &back, const QImage &button, const QImage &logoImg,
               const QImage &bannerImg)
{
    const int width = 1500, height = 1200;
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(feltGreen());
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::Antialiasing, true);

    // The card-choosing window's grid: 40 x 56 cells, 25 px apart, overlapping.
    for (int s = 0; s < 4; ++s)
        for (int v = 0; v < 13; ++v)
            p.drawImage(QPointF(10 + 25 * v, 10 + 70 * s), shrink(faces[s * 13 + v], 40, 56));
    // Same size, not overlapping.
    for (int s = 0; s < 4; ++s)
        for (int v = 0; v < 13; ++v)
            p.drawImage(QPointF(380 + 44 * v, 10 + 70 * s), shrink(faces[s * 13 + v], 40, 56));
    p.drawImage(QPointF(960, 10), shrink(back, 40, 56));
    // Two hole cards as the table lays them: the second moved right by a
    // third of a card and down a thirtieth.
    p.drawImage(QPointF(1020, 10), shrink(faces[12], 40, 56));
    p.drawImage(QPointF(1020 + 40.0 / 3, 10 + 56.0 / 30), shrink(faces[24], 40, 56));
    p.drawImage(QPointF(1090, 10), shrink(button, 26, 26));
    p.setOpacity(0.5);
    p.drawImage(QPointF(1130, 10), shrink(faces[38], 40, 56));
    p.setOpacity(1.0);

    // Double size, as on a high-DPI screen.
    for (int s = 0; s < 4; ++s)
        for (int v = 0; v < 13; ++v)
            p.drawImage(QPointF(10 + 84 * v, 300 + 120 * s), shrink(faces[s * 13 + v], 80, 112));
    p.drawImage(QPointF(1110, 300), shrink(back, 80, 112));
    p.drawImage(QPointF(1110, 430), shrink(button, 52, 52));

    // Full size samples.
    const int full[] = {12, 8, 9, 10 + 13, 11 + 26, 3 + 39};
    for (int i = 0; i < 6; ++i)
        p.drawImage(QPointF(10 + 205 * i, 790), faces[full[i]]);
    p.drawImage(QPointF(1240, 790), back);
    p.drawImage(QPointF(1240, 300), button);

    p.drawImage(QPointF(1260, 430), shrink(logoImg, 90, 90));
    p.drawImage(QPointF(1300, 560), logoImg);
    p.drawImage(QPointF(1130, 1080), shrink(bannerImg, 360, 20));
    p.drawImage(QPointF(770, 1120), bannerImg);
    p.end();
    return sheet;
}

// Checks one folder of pictures; prints one line per problem.
int verify(const QString &folder)
{
    QDir dir(folder);
    int problems = 0, checked = 0;
    auto fail = [&](const QString &what) {
        std::fprintf(stderr, "zuvcardgen: %s\n", qPrintable(what));
        ++problems;
    };
    auto load = [&](const QString &rel, int w, int h) -> QImage {
        ++checked;
        QImage img(dir.filePath(rel));
        if (img.isNull()) {
            fail(rel + QStringLiteral(" is missing or unreadable"));
            return {};
        }
        if (img.width() != w || img.height() != h)
            fail(QStringLiteral("%1 is %2 x %3 px, expected %4 x %5")
                     .arg(rel).arg(img.width()).arg(img.height()).arg(w).arg(h));
        return img;
    };
    auto checkCard = [&](const QString &rel) {
        const QImage img = load(rel, kCardWidth, kCardHeight);
        if (img.isNull())
            return;
        if (!img.hasAlphaChannel() || qAlpha(img.pixel(0, 0)) != 0)
            fail(rel + QStringLiteral(" has no transparent corners"));
        else if ((img.pixel(0, 0) & 0x00ffffff) != (feltGreen().rgb() & 0x00ffffff))
            fail(rel + QStringLiteral(" has no felt green under its transparent corners"));
        if (qAlpha(img.pixel(kCardWidth / 2, kCardHeight / 2)) != 255)
            fail(rel + QStringLiteral(" is not opaque in the middle"));
    };
    for (int s = 0; s < 4; ++s)
        for (int v = 0; v < 13; ++v)
            checkCard(QStringLiteral("cardimages/") + cardName(v, s) + QStringLiteral(".png"));
    checkCard(QStringLiteral("cardimages/backside.png"));

    const QImage button = load(QStringLiteral("cardimages/dealerbutton.png"), kButtonPixels, kButtonPixels);
    if (!button.isNull()) {
        if (button.text(QStringLiteral("Zuv-DisplayScale")) != QString::number(kButtonDisplayScale))
            fail(QStringLiteral("cardimages/dealerbutton.png lacks the text Zuv-DisplayScale = %1")
                     .arg(kButtonDisplayScale));
        if (qAlpha(button.pixel(0, 0)) != 0 || qAlpha(button.pixel(kButtonPixels / 2, kButtonPixels / 2)) != 255)
            fail(QStringLiteral("cardimages/dealerbutton.png is not a disc on a transparent ground"));
    }
    load(QStringLiteral("ZuvPokerLogo.jpg"), 180, 180);
    load(QStringLiteral("BannerText.jpg"), 720, 40);
    for (int size : kIconSizes) {
        const QImage icon = load(iconPath(size), size, size);
        if (!icon.isNull() && (qAlpha(icon.pixel(0, 0)) != 0 || qAlpha(icon.pixel(size / 2, size / 2)) != 255))
            fail(iconPath(size) + QStringLiteral(" is not a tile on a transparent ground"));
    }

    std::printf("zuvcardgen: %d pictures checked in %s, %d problem(s)\n", checked, qPrintable(folder), problems);
    return problems == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString outDir = QStringLiteral(".");
    QString previewPath;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--verify") && i + 1 < args.size()) {
            return verify(args[i + 1]);
        } else if (args[i] == QLatin1String("--preview") && i + 1 < args.size()) {
            previewPath = args[++i];
        } else if (args[i] == QLatin1String("--help") || args[i] == QLatin1String("-h")) {
            std::printf("usage: zuvcardgen [--preview FILE.png] [OUTDIR]\n       zuvcardgen --verify DIR\n");
            return 0;
        } else if (args[i].startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "zuvcardgen: unknown option %s\n", qPrintable(args[i]));
            return 2;
        } else {
            outDir = args[i];
        }
    }

    QDir dir(outDir);
    if (!dir.mkpath(QStringLiteral("cardimages"))) {
        std::fprintf(stderr, "zuvcardgen: cannot create %s/cardimages\n", qPrintable(outDir));
        return 1;
    }
    const QString cards = dir.filePath(QStringLiteral("cardimages"));

    bool ok = true;
    QList<QImage> faces;
    for (int s = 0; s < 4; ++s) {
        for (int v = 0; v < 13; ++v) {
            QImage face = withFeltUnderTransparency(cardFace(v, static_cast<Suit>(s)));
            ok &= save(face, cards + QLatin1Char('/') + cardName(v, s) + QStringLiteral(".png"), "PNG");
            faces.append(face);
        }
    }
    const QImage back = withFeltUnderTransparency(cardBack());
    ok &= save(back, cards + QStringLiteral("/backside.png"), "PNG");

    QImage button = withFeltUnderTransparency(dealerButton(kButtonPixels));
    button.setText(QStringLiteral("Zuv-DisplayScale"), QString::number(kButtonDisplayScale));
    ok &= save(button, cards + QStringLiteral("/dealerbutton.png"), "PNG");

    const QImage logoImg = logo(180);
    ok &= save(logoImg, dir.filePath(QStringLiteral("ZuvPokerLogo.jpg")), "JPEG", 92);
    const QImage bannerImg = banner(720, 40);
    ok &= save(bannerImg, dir.filePath(QStringLiteral("BannerText.jpg")), "JPEG", 92);
    for (int size : kIconSizes) {
        const QString path = dir.filePath(iconPath(size));
        ok &= QDir().mkpath(QFileInfo(path).path()) && save(appIcon(size), path, "PNG");
    }

    if (!previewPath.isEmpty())
        ok &= save(preview(faces, back, button, logoImg, bannerImg), previewPath, "PNG");

    return ok ? 0 : 1;
}
