#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

#include "platform/event_loop.h"
#include "program/about_window.h"
#include "program/help_links.h"
#include "scenario/choose_range_window.h"
#include "state/main_window.h"
#include "stats/win_stat_window.h"
#include "support/app_fixture.h"

namespace zuv {
namespace {

using testing::AppTest;

QLabel* LabelWithText(QWidget* window, const QString& text) {
  for (auto* label : window->findChildren<QLabel*>())
    if (label->text() == text) return label;
  return nullptr;
}

TEST_F(AppTest, AboutWindowLayout) {
  QPointer<QWidget> about = CBAbout(*app);
  ASSERT_TRUE(about);
  EXPECT_EQ(about->windowTitle(), "About Zuv Poker Simulator");
  EXPECT_EQ(about->size(), QSize(400, 300));
  EXPECT_EQ(about->windowModality(), Qt::ApplicationModal);
  EXPECT_TRUE(about->isVisible());
  // Lines start at x = 150 and are 20 units apart, from y = 200 down (origin bottom left).
  const QStringList lines{"Zuv Poker Simulator", "Version: 1.0", "Zuv Poker Simulator team",
                          "Texas Hold'em odds by simulation", QString::fromUtf8("\u00a9 2026"),
                          "https://zuvpoker.example.org/"};
  for (int i = 0; i < lines.size(); ++i) {
    QLabel* line = LabelWithText(about, lines[i]);
    ASSERT_NE(line, nullptr) << lines[i].toStdString();
    EXPECT_EQ(line->x(), 150);
    EXPECT_NEAR(line->geometry().center().y(), 300 - (200 - 20 * i), 1);
    const QColor colour = line->palette().color(QPalette::WindowText);
    EXPECT_EQ(colour, i < 5 ? QColor::fromRgbF(1, 1, 0.8) : QColor::fromRgbF(1, 1, 0));
  }
  // Logo at x 30..120, y 90..180; banner at x 20..380, y 250..270.
  int pictures = 0;
  for (auto* label : about->findChildren<QLabel*>()) {
    if (label->pixmap().isNull()) continue;
    ++pictures;
    EXPECT_TRUE(label->geometry() == QRect(30, 120, 90, 90) || label->geometry() == QRect(20, 30, 360, 20))
        << label->geometry().x() << "," << label->geometry().y();
  }
  EXPECT_EQ(pictures, 2);
  auto* ok = about->findChild<QPushButton*>();
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_EQ(ok->geometry(), QRect(150, 240, 100, 25));
  ok->click();
  drawnow();
  EXPECT_FALSE(about);
}

TEST_F(AppTest, OnlyTheWebLineReactsAndItOpensThePageAndClosesTheWindow) {
  QPointer<QWidget> about = CBAbout(*app);
  for (auto* label : about->findChildren<QLabel*>()) {
    if (label->pixmap().isNull()) continue;
    QTest::mouseClick(label, Qt::LeftButton);
  }
  QTest::mouseClick(LabelWithText(about, "Zuv Poker Simulator"), Qt::LeftButton);
  drawnow();
  ASSERT_TRUE(about);
  EXPECT_TRUE(opened.empty());

  QTest::mouseClick(LabelWithText(about, "https://zuvpoker.example.org/"), Qt::LeftButton);
  drawnow();
  EXPECT_FALSE(about);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "https://zuvpoker.example.org/");
}

TEST_F(AppTest, AboutWindowOpensWithoutItsPictures) {
  app->dataFolders = {QDir::tempPath() + "/zuv-no-such-folder"};
  QPointer<QWidget> about = CBAbout(*app);
  ASSERT_TRUE(about);
  for (auto* label : about->findChildren<QLabel*>()) EXPECT_TRUE(label->pixmap().isNull());
  about->close();
}

TEST_F(AppTest, HelpItemsOpenTheHelpPageAndTheWebPage) {
  app->UIMENULABELS[kHelpMenu][kGettingStartedItem]->trigger();
  app->UIMENULABELS[kHelpMenu][kWebPageItem]->trigger();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(testing::SourceFolder() + "/help.htm").toString());
  EXPECT_TRUE(opened[0].startsWith("file:///"));
  EXPECT_EQ(opened[1], "https://zuvpoker.example.org/");
  EXPECT_TRUE(app->messages.open().empty());

  browserWorks = false;
  run("CBGettingStarted");
  ASSERT_EQ(app->messages.open().size(), 1u);
  EXPECT_TRUE(app->messages.open()[0].text.contains("help.htm"));
}

// The texts a user meets in a window: its menus' titles and items, its buttons and labels.
QStringList ShownTexts(QWidget* window) {
  QStringList texts;
  for (const QMenu* menu : window->findChildren<QMenu*>()) {
    if (!menu->title().isEmpty()) texts << menu->title();
    if (menu->title() == "Recent setups") continue;  // file names
    for (const QAction* item : menu->actions()) {
      if (!item->isSeparator() && !item->menu()) texts << item->text();
    }
  }
  for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) texts << button->text();
  for (const QLabel* label : window->findChildren<QLabel*>()) texts << label->text();
  texts.removeAll("");
  return texts;
}

TEST_F(AppTest, HelpPageNamesEveryMenuItemAndControl) {
  QFile file(testing::SourceFolder() + "/help.htm");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QTextDocument page;
  page.setHtml(QString::fromUtf8(file.readAll()));
  const QString help = page.toPlainText().simplified();

  QStringList texts = ShownTexts(app->FIGURE.mainfigurehandle);  // before a run fills the counter
  // The range window holding the page's example range, whose count the page quotes.
  whenWaiting([&texts] {
    ChooseRangeWindow* window = OpenChooseRangeWindow();
    ASSERT_NE(window, nullptr);
    window->setText("TT+, AKs");
    texts += ShownTexts(window);
    window->showSuits(0, 1);  // AKs
    texts << window->findChild<QLabel*>("suitsTitle")->text();
    window->cancel();
  });
  run("CBSetPlayerRange(1)");
  app->SETUP.NrOfSims = 1000;
  run("CBStartSimulation");
  ASSERT_TRUE(app->FIGURE.WinStatFigHandle);
  texts += ShownTexts(app->FIGURE.WinStatFigHandle);
  // The Hands view's caption is the run's context (odds, seed, board), not a name the page could give.
  auto* statistics = qobject_cast<WinStatWindow*>(app->FIGURE.WinStatFigHandle.data());
  EXPECT_EQ(texts.removeAll(statistics->context().caption()), 1);
  EXPECT_GT(texts.size(), 40);
  for (const QString& text : texts) EXPECT_TRUE(help.contains(text)) << text.toStdString();
}

}  // namespace
}  // namespace zuv
