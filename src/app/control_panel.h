#pragma once

#include <QString>

class QAction;
class QObject;
class QWidget;

namespace zuv {

class App;

// The Start button's tooltip while a run can start; it names the key that starts one.
inline constexpr const char* kStartToolTip = "Click to start simulation (Ctrl+R)";

// The command text a control or menu item runs when it is used.
void SetCallback(QObject* control, const QString& command);
QString Callback(const QObject* control);

// Object name of the "Exact odds (every deal)" box, which has no handle of its own.
inline constexpr const char* kExactOddsBoxName = "exactOdds";

// Creates the controls of the main window's panel, in their fixed order,
// storing each in UICONTROLS.handle(k). Flushes the drawing between groups.
void CreateControlPanel(App& app);

// Creates the hidden plot area of the live win-rate chart.
void CreateHistogramAxes(App& app);

// Creates the "File" and "Help" menus with their items.
void CreateMenus(App& app);

}  // namespace zuv
