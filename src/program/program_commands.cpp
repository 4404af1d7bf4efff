#include "program/about_window.h"
#include "program/command_registry.h"
#include "program/hands_field.h"
#include "program/help_links.h"
#include "program/shutdown.h"
#include "state/app.h"

namespace zuv {

void RegisterProgramCommands(App& app) {
  app.commands.add("CBCloseMainWindow", 0, [&app](const CommandArgs&) { CBCloseMainWindow(app); });
  app.commands.add("CBValidateHandsToSimulate", 0, [&app](const CommandArgs&) { CBValidateHandsToSimulate(app); });
  app.commands.add("CBGettingStarted", 0, [&app](const CommandArgs&) { CBGettingStarted(app); });
  app.commands.add("CBZuvPokerOnTheWeb", 0, [&app](const CommandArgs&) { CBZuvPokerOnTheWeb(app); });
  app.commands.add("CBAbout", 0, [&app](const CommandArgs&) { CBAbout(app); });
  app.commands.add("ibrowse", 1, [&app](const CommandArgs& args) {
    if (auto address = args.text(0)) OpenInBrowser(app, QString::fromStdString(*address));
  });
}

}  // namespace zuv
