#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

int main(int argc, char** argv) {
  // Window tests run headless unless told otherwise.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  // Settings go to a file of this test process alone, never the user's own.
  QStandardPaths::setTestModeEnabled(true);
  QApplication::setOrganizationName(QString("zuvpoker-test-%1").arg(QCoreApplication::applicationPid()));
  ::testing::InitGoogleTest(&argc, argv);
  const int failed = RUN_ALL_TESTS();
  QFile::remove(QSettings().fileName());
  QDir().rmdir(QFileInfo(QSettings().fileName()).path());
  return failed;
}
