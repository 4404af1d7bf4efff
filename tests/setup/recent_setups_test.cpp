// File > "Recent setups" and the folder the setup file dialogs open in.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>

#include "setup/recent_setups.h"
#include "support/app_fixture.h"

namespace zuv {
namespace {

class RecentSetups : public testing::AppTest {
 protected:
  void SetUp() override {
    testing::AppTest::SetUp();
    ASSERT_TRUE(folder.isValid());
    menu = app->UIMENU[kFileMenu]->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
  }
  QString dir() const { return QDir::toNativeSeparators(folder.path()) + QDir::separator(); }
  QString path(const QString& name) const { return QDir::cleanPath(folder.path() + "/" + name); }
  void save(const QString& name) {
    dialogs->answers.push_back(FileChoice{dir(), name});
    run("CBSaveSetup");
  }
  void load(const QString& name) {
    dialogs->answers.push_back(FileChoice{dir(), name});
    run("CBLoadSetup");
  }
  void setHands(const QString& hands) {
    auto* field = qobject_cast<QLineEdit*>(app->UICONTROLS.handle[kHandsField]);
    field->setText(hands);
    run("CBValidateHandsToSimulate");
  }
  QStringList menuTexts() {
    FillRecentSetupsMenu(*app, menu);
    QStringList texts;
    for (QAction* item : menu->actions()) texts << item->text();
    return texts;
  }

  QTemporaryDir folder;
  QMenu* menu = nullptr;
};

TEST_F(RecentSetups, TheMenuSitsAboveQuitAndStartsEmpty) {
  EXPECT_EQ(menu->title(), "Recent setups");
  const QList<QAction*> items = app->UIMENU[kFileMenu]->actions();
  const qsizetype quit = items.indexOf(app->UIMENULABELS[kFileMenu][kQuitItem]);
  ASSERT_GT(quit, 0);
  EXPECT_EQ(items[quit - 1], menu->menuAction());
  EXPECT_EQ(menuTexts(), QStringList{"No setup files yet"});
  EXPECT_FALSE(menu->actions()[0]->isEnabled());
}

TEST_F(RecentSetups, TheLastFiveSavedOrLoadedComeNewestFirst) {
  for (const char* name : {"a", "b", "c", "d", "e", "f"}) save(name);
  load("c.zuv");
  EXPECT_EQ(recent_setups::Files(),
            (QStringList{path("c.zuv"), path("f.zuv"), path("e.zuv"), path("d.zuv"), path("b.zuv")}));
  const QStringList texts = menuTexts();
  ASSERT_EQ(texts.size(), 5);
  EXPECT_EQ(texts[0], "&1 " + QDir::toNativeSeparators(path("c.zuv")));
  EXPECT_EQ(texts[4], "&5 " + QDir::toNativeSeparators(path("b.zuv")));
  EXPECT_EQ(menu->actions()[1]->property("zuvCallback").toString(), "CBLoadRecentSetup(2)");
}

TEST_F(RecentSetups, ARecentItemLoadsItsFile) {
  setHands("1234");
  save("first");
  setHands("777");
  save("second");
  setHands("5");
  FillRecentSetupsMenu(*app, menu);
  menu->actions()[1]->trigger();
  EXPECT_EQ(app->SETUP.NrOfSims, 1234);
  EXPECT_EQ(recent_setups::Files().front(), path("first.zuv"));
  run("CBLoadRecentSetup(2)");
  EXPECT_EQ(app->SETUP.NrOfSims, 777);
  // Numbers past the list change nothing.
  run("CBLoadRecentSetup(9)");
  EXPECT_EQ(app->SETUP.NrOfSims, 777);
  EXPECT_TRUE(app->messages.open().empty());
}

TEST_F(RecentSetups, AFileThatCannotBeLoadedIsNotAddedAndAGoneFileIsReported) {
  save("kept");
  QFile bad(folder.path() + "/bad.zuv");
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("not a setup");
  bad.close();
  load("bad.zuv");
  EXPECT_EQ(recent_setups::Files(), QStringList{path("kept.zuv")});

  ASSERT_TRUE(QFile::remove(path("kept.zuv")));
  app->messages.closeAll();
  run("CBLoadRecentSetup(1)");
  ASSERT_EQ(app->messages.open().size(), 1u);
  EXPECT_TRUE(app->messages.open()[0].text.contains("kept.zuv"));
  // Gone from the list as well, which the next session reads.
  EXPECT_EQ(recent_setups::Files(), QStringList{});
}

TEST_F(RecentSetups, DialogsOpenInTheFolderUsedLast) {
  run("CBLoadSetup");
  EXPECT_EQ(dialogs->startFolder(), "");
  dialogs->answers.push_back(FileChoice{dir(), "missing.zuv"});
  run("CBLoadSetup");
  app->messages.closeAll();
  run("CBSaveSetup");
  EXPECT_EQ(dialogs->startFolder(), dir());
  // A cancelled dialog keeps the folder.
  run("CBLoadSetup");
  EXPECT_EQ(dialogs->startFolder(), dir());
}

TEST_F(RecentSetups, TheMenuIsUsableExactlyWhenLoadSetupIs) {
  save("one");
  app->UIMENULABELS[kFileMenu][kLoadSetupItem]->setEnabled(false);
  EXPECT_FALSE(menu->menuAction()->isEnabled());
  setHands("5");
  run("CBLoadRecentSetup(1)");
  EXPECT_EQ(app->SETUP.NrOfSims, 5);
  app->UIMENULABELS[kFileMenu][kLoadSetupItem]->setEnabled(true);
  EXPECT_TRUE(menu->menuAction()->isEnabled());
}

}  // namespace
}  // namespace zuv
