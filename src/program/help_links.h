#pragma once

#include <QString>

namespace zuv {

class App;

inline const QString kProductWebPage = "https://zuvpoker.example.org/";

// The file URL of help.htm in the folder the program reads its data from.
QString HelpPageAddress(const App& app);

// Help, "Getting started": opens the help page in the system's browser.
void CBGettingStarted(App& app);
// Help, "Zuv Poker on the web": opens the product's web page.
void CBZuvPokerOnTheWeb(App& app);
// Opens an address, or says in a message window that no browser could be started.
void OpenInBrowser(App& app, const QString& address);

}  // namespace zuv
