#include "app/app.h"

#include "app/command_registry.h"
#include "app/main_window.h"
#include "platform/browser.h"
#include "platform/data_folders.h"

namespace zuv {

App::App(std::unique_ptr<FileDialogs> dialogs)
    : dataFolders(StandardDataFolders()), openUrl(ibrowse),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtFileDialogs>()) {
  RegisterCommands(*this);
}

App::~App() {
  messages.closeAll();
  // The main window owns the table, the controls and the chart.
  delete FIGURE.mainfigurehandle;
}

}  // namespace zuv
