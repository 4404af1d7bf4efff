#include "support/app_fixture.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTimer>

#include "platform/event_loop.h"
#include "program/startup.h"

namespace zuv::testing {

QString SourceFolder() { return QString(ZUV_SOURCE_DIR); }

void AppTest::SetUp() {
  // Each test starts without recent setup files or a remembered folder.
  QSettings().clear();
  auto fake = std::make_unique<FakeFileDialogs>();
  dialogs = fake.get();
  app = std::make_unique<App>(std::move(fake));
  app->dataFolders = {SourceFolder()};
  app->openUrl = [this](const QString& address) {
    opened.push_back(address);
    return browserWorks;
  };
  const auto problem = zuvpoker(*app);
  ASSERT_FALSE(problem.has_value()) << problem->toStdString();
}

void AppTest::TearDown() {
  app.reset();
  drawnow();
}

void AppTest::run(const std::string& text) { EXPECT_TRUE(app->run(text)) << app->commands.lastError(); }

void AppTest::whenWaiting(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

}  // namespace zuv::testing
