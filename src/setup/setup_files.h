#pragma once

#include <QString>

namespace zuv {

class App;

// File menu "Save setup": writes the scenario and settings to a "*.zuv" file.
// A failed save names the file and the reason in a message window and leaves
// any existing file as it was.
void CBSaveSetup(App& app);

// File menu "Load setup": reads a "*.zuv" file and brings the table, the
// settings and the controls into line with it. The whole file is checked
// first; a refused file changes nothing and its first problem is shown.
void CBLoadSetup(App& app);

// Loads the setup file at `path` as "Load setup" does once a file is chosen.
void LoadSetupFile(App& app, const QString& path);

}  // namespace zuv
