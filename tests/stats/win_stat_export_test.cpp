// "Save picture...", "Save table..." and "Copy" of the statistics window.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <qcustomplot.h>

#include "win_stat_test.h"

namespace zuv {
namespace {

class WinStatExport : public testing::WinStatTest {
 protected:
  void SetUp() override {
    testing::WinStatTest::SetUp();
    ASSERT_TRUE(folder.isValid());
    // Seat 1 holds As Kh; seat 2 plays random cards.
    app->TABLE.activeplayers.fill(0);
    app->TABLE.simulateplayers.fill(0);
    app->activeplayers(1) = app->activeplayers(2) = 1;
    app->simulateplayers(2) = 1;
    app->player(1).Cards = {13, 25};
    app->SIM.WinStat2Players = 2;
    app->SIM.WinStat2.assign(180, 0.0);
  }
  void answer(const QString& name) { dialogs->answers.push_back(FileChoice{folder.path() + "/", name}); }
  QString read(const QString& name) {
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(file.readAll());
  }
  static QList<QStringList> rows(const QString& text, QChar separator) {
    QList<QStringList> rows;
    for (const QString& line : text.split("\r\n", Qt::SkipEmptyParts)) rows << line.split(separator);
    return rows;
  }
  static QAction* menuItem(WinStatWindow* window, const QString& label) {
    for (QAction* item : window->resultsButton()->menu()->actions()) {
      if (item->text() == label) return item;
    }
    return nullptr;
  }

  QTemporaryDir folder;
};

TEST_F(WinStatExport, TheTableHoldsTheHandCountAndEveryBarAndTotalAsShown) {
  pot(2, {1}, 3);
  pot(1, {2});
  pot(5, {1, 2});
  WinStatWindow* window = open();
  ASSERT_NE(window, nullptr);
  answer("results");
  run("CBSaveStatTable");
  EXPECT_EQ(dialogs->shown.back().filter, "CSV tables (*.csv)");
  QList<QStringList> table = rows(read("results.csv"), ',');
  // First where the numbers come from (read in its own test).
  ASSERT_GE(table.size(), 4);
  EXPECT_EQ(table[0][0], "Odds");
  table.remove(0, 4);

  ASSERT_EQ(table.size(), 6);
  EXPECT_EQ(table[0], (QStringList{"Simulated hands", "5"}));
  EXPECT_EQ(table[1].mid(0, 4), (QStringList{"Seat", "Cards", "Pots", "High card"}));
  EXPECT_EQ(table[1].last(), "Total");
  EXPECT_EQ(table[2].mid(0, 3), (QStringList{"1", "AsKh", "alone"}));
  EXPECT_EQ(table[3].mid(0, 3), (QStringList{"1", "AsKh", "shared"}));
  EXPECT_EQ(table[4].mid(0, 3), (QStringList{"2", "random", "alone"}));
  EXPECT_EQ(table[5].mid(0, 3), (QStringList{"2", "random", "shared"}));
  EXPECT_DOUBLE_EQ(table[2][4].toDouble(), 60.0);
  EXPECT_DOUBLE_EQ(table[3][7].toDouble(), 20.0);
  for (int j = 0; j < 2; ++j) {
    const std::vector<QCPBars*>* series[] = {&window->winBars(), &window->splitBars()};
    for (int kind = 0; kind < 2; ++kind) {
      const QStringList& row = table[2 + 2 * j + kind];
      ASSERT_EQ(row.size(), 3 + 9 + 1);
      double total = 0;
      for (int h = 1; h <= 9; ++h) {
        const double shown = (*series[kind])[j]->data()->findBegin(h, false)->value;
        EXPECT_NEAR(row[2 + h].toDouble(), shown, 5e-6) << j << " " << kind << " " << h;
        total += shown;
      }
      EXPECT_NEAR(row.last().toDouble(), total, 5e-6);
    }
  }
}

TEST_F(WinStatExport, TableCopyAndPictureSayWhereTheNumbersComeFrom) {
  pot(2, {1}, 5);
  app->SETUP.SimulateFlop = 0;
  app->SETUP.SimulateTurn = 1;
  app->TABLE.boardcards = {1, 2, 3};
  app->TABLE.deadcards = {40, 41};
  app->random.reset(42);
  app->random.next();
  struct Case {
    int exact, nrOfSims;
    QString counted, odds;
  };
  for (const Case& c : {Case{0, 5, "simulated hands", "sampled: complete"},
                        Case{0, 8, "simulated hands", "sampled: stopped after 5 of 8 hands"},
                        Case{1, 5, "deals (exact)", "exact: every deal"},
                        Case{1, 5, "deals (stopped, not exact)", "exact: stopped early (an estimate from a random part of the deals)"}}) {
    app->SIM.exact = c.exact;
    app->SETUP.NrOfSims = c.nrOfSims;
    PlotWinStat(*app, c.counted);
    auto* window = qobject_cast<WinStatWindow*>(app->FIGURE.WinStatFigHandle.data());
    ASSERT_NE(window, nullptr);
    run("CBCopyStatTable");
    const QList<QStringList> copied = rows(QGuiApplication::clipboard()->text(), '\t');
    ASSERT_GE(copied.size(), 5);
    EXPECT_EQ(copied.mid(0, 4), (QList<QStringList>{{"Odds", c.odds}, {"Seed", "42"}, {"Fixed board", "2s3s4s"},
                                                    {"Dead cards", "2c3c"}}));
    // The picture's caption is drawn on the chart, inside the window.
    const QString caption = "Odds: " + c.odds + "; Seed: 42; Fixed board: 2s3s4s; Dead cards: 2c3c";
    bool drawn = false;
    for (int i = 0; i < window->plot()->itemCount(); ++i) {
      auto* text = qobject_cast<QCPItemText*>(window->plot()->item(i));
      if (!text || text->text() != caption) continue;
      drawn = true;
      window->plot()->replot();
      const QRectF place(text->topLeft->pixelPosition(), text->bottomRight->pixelPosition());
      EXPECT_TRUE(QRectF(window->rect()).contains(place.normalized())) << c.odds.toStdString();
    }
    EXPECT_TRUE(drawn) << c.odds.toStdString();
    // The Hands view carries the same caption, inside the view that its picture grabs.
    window->viewTabs()->setCurrentIndex(1);
    const QLabel* handsCaption = window->handsView()->caption();
    EXPECT_EQ(handsCaption->text(), caption);
    EXPECT_TRUE(handsCaption->isVisible());
    EXPECT_TRUE(window->handsView()->rect().contains(handsCaption->geometry())) << c.odds.toStdString();
  }
}

TEST_F(WinStatExport, CopyPutsTheSameTableTabSeparatedOnTheClipboard) {
  pot(3, {1}, 2);
  pot(7, {2});
  open();
  answer("results.csv");
  run("CBSaveStatTable");
  QGuiApplication::clipboard()->clear();
  run("CBCopyStatTable");
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_EQ(rows(copied, '\t'), rows(read("results.csv"), ','));
  EXPECT_FALSE(copied.contains(','));
}

TEST_F(WinStatExport, ThePictureIsSavedAsPngOrPdfByItsEnding) {
  pot(2, {1});
  WinStatWindow* window = open();
  answer("chart");
  run("CBSaveStatPicture");
  EXPECT_EQ(dialogs->shown.back().filter, "PNG pictures (*.png);;PDF documents (*.pdf)");
  const QImage picture(folder.filePath("chart.png"));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), window->plot()->size());

  // The Hands view's picture is the view, its caption drawn along the bottom edge.
  window->viewTabs()->setCurrentIndex(1);
  answer("hands");
  run("CBSaveStatPicture");
  const QImage hands(folder.filePath("hands.png"));
  ASSERT_FALSE(hands.isNull());
  EXPECT_EQ(hands.size(), window->handsView()->size() * hands.devicePixelRatio());
  const QRect caption = window->handsView()->caption()->geometry();
  // Pixels nearer the light-yellow ink than the felt: the caption's letters.
  const QColor ink = app->TABLE.lightyellow.toQColor(), felt = app->TABLE.backgroundcolor.toQColor();
  const auto distance = [](QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
  };
  int inked = 0;
  for (int y = caption.top(); y <= caption.bottom(); ++y) {
    for (int x = caption.left(); x <= caption.right(); ++x) {
      const QColor pixel = hands.pixelColor(x, y);
      inked += distance(pixel, ink) < distance(pixel, felt);
    }
  }
  EXPECT_GT(inked, 50) << "the caption is drawn in the picture";
  window->viewTabs()->setCurrentIndex(0);

  answer("chart.PDF");
  run("CBSaveStatPicture");
  EXPECT_TRUE(read("chart.PDF").startsWith("%PDF"));
  // Without an ending the chosen filter decides.
  dialogs->answers.push_back(FileChoice{folder.path() + "/", "filtered", "PDF documents (*.pdf)"});
  run("CBSaveStatPicture");
  EXPECT_TRUE(read("filtered.pdf").startsWith("%PDF"));
  EXPECT_TRUE(app->messages.open().empty());

  // An existing picture or table is replaced only when the user says so.
  for (const auto& [command, name] : {std::pair{"CBSaveStatPicture", "chart.PDF"}, {"CBSaveStatTable", "chart.PDF.csv"}}) {
    QFile existing(folder.filePath(name));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("old");
    existing.close();
    answer(name);
    run(command);
    EXPECT_EQ(read(name), "old") << command;
    dialogs->replaceAnswers.push_back(true);
    answer(name);
    run(command);
    EXPECT_NE(read(name), "old") << command;
  }
  EXPECT_EQ(dialogs->askedToReplace.size(), 4u);
}

TEST_F(WinStatExport, AFailedSaveIsReportedAndACancelWritesNothing) {
  pot(2, {1});
  open();
  run("CBSaveStatTable");
  run("CBSaveStatPicture");
  EXPECT_TRUE(QDir(folder.path()).isEmpty());
  dialogs->answers.push_back(FileChoice{folder.path() + "/no-such-folder/", "results.csv"});
  run("CBSaveStatTable");
  ASSERT_EQ(app->messages.open().size(), 1u);
  EXPECT_TRUE(app->messages.open()[0].text.contains("no-such-folder/results.csv"));
}

TEST_F(WinStatExport, AnOlderWindowsMenuExportsItsOwnNumbers) {
  pot(2, {1}, 4);
  WinStatWindow* older = open();
  pot(2, {1}, 6);
  WinStatWindow* newer = open();
  ASSERT_NE(older, newer);
  QAction* copy = menuItem(older, "Copy");
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(menuItem(older, "Save picture..."), nullptr);
  ASSERT_NE(menuItem(older, "Save table..."), nullptr);
  copy->trigger();
  EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("\r\nSimulated hands\t4\r\n"));
  EXPECT_EQ(app->FIGURE.WinStatFigHandle, newer);
  run("CBCopyStatTable");
  EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("\r\nSimulated hands\t10\r\n"));
}

}  // namespace
}  // namespace zuv
