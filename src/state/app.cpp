#include "state/app.h"

#include "platform/browser.h"
#include "platform/data_folders.h"
#include "state/main_window.h"

namespace zuv {

App::App(std::unique_ptr<FileDialogs> dialogs)
    : dataFolders(StandardDataFolders()), openUrl(ibrowse),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtFileDialogs>()) {}

App::~App() {
  messages.closeAll();
  // The main window owns the table, the controls and the chart.
  delete FIGURE.mainfigurehandle;
}

}  // namespace zuv
