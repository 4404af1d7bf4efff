#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "state/app.h"
#include "support/fake_file_dialogs.h"

namespace zuv::testing {

// The folder with cardimages/ and the other data files.
QString SourceFolder();

// A started program: the real main window, headless, with answered file dialogs.
class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs a command text and fails the test when the dispatcher refuses it.
  void run(const std::string& text);
  // Runs `action` from inside the event loop that the next blocking command
  // waits in (for example to pick cards in a card-choosing window).
  void whenWaiting(std::function<void()> action);

  std::unique_ptr<App> app;
  FakeFileDialogs* dialogs = nullptr;
  // Addresses the program asked the browser to open; nothing is launched.
  std::vector<QString> opened;
  bool browserWorks = true;
};

}  // namespace zuv::testing
