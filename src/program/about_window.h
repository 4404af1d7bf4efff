#pragma once

class QWidget;

namespace zuv {

class App;

// Help, "About...": opens the modal About window and returns at once.
// Returns the new window.
QWidget* CBAbout(App& app);

}  // namespace zuv
