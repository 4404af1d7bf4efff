#include "program/control_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <qcustomplot.h>

#include "platform/callback.h"
#include "platform/event_loop.h"
#include "platform/normal_position.h"
#include "state/app.h"
#include "state/controls.h"
#include "state/main_window.h"

namespace zuv {

namespace {

constexpr double kPanelLeft = 0.65;  // the panel's left edge in fractions of the window
// The fields keep their left edges and reach to near the window's right
// edge, so that their longest texts (a 10-digit hand count, a 17-character
// seed) show in full.
constexpr double kPanelRight = 0.99;
constexpr double kFieldLeft = 0.85, kFieldWidth = kPanelRight - kFieldLeft;

QRect Place(double left, double bottom, double width, double height) {
  return NormalToPixels(left, bottom, width, height, MainWindow::kSize);
}

// The panel's places are tight (a 150-pixel label beside its field), so its
// texts use a compact font that fits them on every platform.
QFont PanelFont() {
  QFont font;
  font.setPixelSize(11);
  font.setStretch(QFont::SemiCondensed);
  return font;
}

void UsePanelColours(App& app, QWidget* w) {
  QPalette palette = w->palette();
  palette.setColor(QPalette::Window, app.TABLE.backgroundcolor.toQColor());
  palette.setColor(QPalette::WindowText, app.TABLE.lightyellow.toQColor());
  palette.setColor(QPalette::ButtonText, app.TABLE.lightyellow.toQColor());
  w->setPalette(palette);
}

QPushButton* PushButton(App& app, QWidget* parent, const QString& text, const QRect& where, const QString& command) {
  auto* button = new QPushButton(text, parent);
  button->setGeometry(where);
  SetCallback(button, command);
  QObject::connect(button, &QPushButton::clicked, button, [&app, button] { app.run(Callback(button).toStdString()); });
  button->show();
  return button;
}

QCheckBox* CheckBox(App& app, QWidget* parent, const QString& text, const QRect& where, bool ticked,
                    const QString& command) {
  auto* box = new QCheckBox(text, parent);
  box->setGeometry(where);
  box->setChecked(ticked);
  UsePanelColours(app, box);
  // Nothing stands to the right of the panel's check boxes: let a label run on
  // rather than cut it where the place ends.
  box->resize(std::max(where.width(), box->sizeHint().width()), where.height());
  SetCallback(box, command);
  QObject::connect(box, &QCheckBox::clicked, box, [&app, box] { app.run(Callback(box).toStdString()); });
  box->show();
  return box;
}

QLabel* Label(App& app, QWidget* parent, const QString& text, const QRect& where, Qt::Alignment align) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(where);
  label->setAlignment(align | Qt::AlignVCenter);
  UsePanelColours(app, label);
  label->show();
  return label;
}

QLineEdit* EditField(App& app, QWidget* parent, const QString& text, const QRect& where, const QString& command) {
  auto* edit = new QLineEdit(text, parent);
  edit->setGeometry(where);
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Narrower digits than the labels': a seed has up to 17 characters.
  QFont digits = parent->font();
  digits.setStretch(QFont::Condensed);
  edit->setFont(digits);
  // White with black text while usable; greyed when the field is switched off.
  QPalette palette = edit->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Base, Qt::white);
    palette.setColor(group, QPalette::Text, Qt::black);
  }
  palette.setColor(QPalette::Disabled, QPalette::Base, QColor(200, 200, 200));
  palette.setColor(QPalette::Disabled, QPalette::Text, QColor(90, 90, 90));
  edit->setPalette(palette);
  SetCallback(edit, command);
  // The command runs after an edit, once: on Return or when the field loses focus.
  QObject::connect(edit, &QLineEdit::editingFinished, edit, [&app, edit] {
    if (!edit->isModified()) return;
    edit->setModified(false);
    app.run(Callback(edit).toStdString());
  });
  edit->show();
  return edit;
}

QAction* MenuItem(App& app, QMenu* menu, const QString& label, const QString& command) {
  QAction* item = menu->addAction(label);
  SetCallback(item, command);
  QObject::connect(item, &QAction::triggered, item, [&app, item] { app.run(Callback(item).toStdString()); });
  return item;
}

}  // namespace

void CreateControlPanel(App& app) {
  QWidget* panel = app.FIGURE.mainfigurehandle->canvas();
  panel->setFont(PanelFont());
  auto& handle = app.UICONTROLS.handle;
  const double x = kPanelLeft;

  auto* start = PushButton(app, panel, "Start simulation", Place(x, 0.1, 0.12, 0.06), "CBStartSimulation");
  start->setToolTip(kStartToolTip);
  handle[kStartButton] = start;
  auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), app.FIGURE.mainfigurehandle);
  QObject::connect(shortcut, &QShortcut::activated, start, [start] {
    // A field being edited applies its text first, as when the button is clicked.
    if (QWidget* editing = QApplication::focusWidget()) editing->clearFocus();
    start->click();
  });
  handle[kShowHandsBox] = CheckBox(app, panel, "Show every simulated hand", Place(x, 0.18, 0.2, 0.06),
                                   app.SIM.showhands == 1, "CBShowHands;");
  // Below the start button, the one free place under "Show every simulated hand".
  auto* exact = CheckBox(app, panel, "Exact odds (every deal)", Place(x, 0.035, 0.2, 0.05), app.SIM.exact == 1,
                         "CBExactOdds;");
  exact->setObjectName(kExactOddsBoxName);
  exact->setToolTip("Enumerate every deal instead of sampling hands");
  drawnow();

  handle[kHandsLabel] = Label(app, panel, "Number of hands to simulate:", Place(x, 0.4, 0.2, 0.025), Qt::AlignLeft);
  handle[kHandsField] = EditField(app, panel, QString::number(app.SETUP.NrOfSims),
                                  Place(kFieldLeft, 0.395, kFieldWidth, 0.035), "CBValidateHandsToSimulate");
  drawnow();

  handle[kCounterLabel] = Label(app, panel, "Number of simulated hands:", Place(x, 0.35, 0.3, 0.025), Qt::AlignLeft);
  handle[kCounterLabel]->hide();
  // Under its label, across the panel: "12,345,678 of 25,684,560 deals · 48 %
  // · 0:07 left" is wider than the place beside the label, and the longest
  // counts take a second line, down to the seed box.
  handle[kCounter] = Label(app, panel, "", Place(x, 0.292, kPanelRight - x, 0.056), Qt::AlignLeft);
  qobject_cast<QLabel*>(handle[kCounter])->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  handle[kCounter]->hide();
  drawnow();

  handle[kSetSeedBox] = CheckBox(app, panel, "Set shuffle random seed:", Place(x, 0.23, 0.19, 0.06),
                                 app.SETUP.SetSeed == 1, "CBSetRandomSeed;");
  handle[kSeedField] = EditField(app, panel, "0", Place(kFieldLeft, 0.245, kFieldWidth, 0.035), "CBValidateSeed");
  drawnow();
}

void CreateHistogramAxes(App& app) {
  QWidget* canvas = app.FIGURE.mainfigurehandle->canvas();
  auto* plot = new QCustomPlot(canvas);
  // The plot box itself sits at (0.696, 0.6, 0.2, 0.15) of the window; the
  // widget is larger so that the title, tick labels and axis label fit around it.
  const QRect box = Place(0.696, 0.6, 0.2, 0.15);
  const QMargins around(56, 34, 26, 40);
  plot->setGeometry(box.marginsAdded(around));
  plot->axisRect()->setAutoMargins(QCP::msNone);
  plot->axisRect()->setMargins(around);
  plot->setBackground(app.TABLE.backgroundcolor.toQColor());
  plot->hide();
  app.FIGURE.histogramaxes = plot;
}

void CreateMenus(App& app) {
  QMenuBar* bar = app.FIGURE.mainfigurehandle->menuBar();
  app.UIMENU[kFileMenu] = bar->addMenu("File");
  app.UIMENU[kFileMenu]->setPalette(QApplication::palette());
  app.UIMENULABELS[kFileMenu][kLoadSetupItem] = MenuItem(app, app.UIMENU[kFileMenu], "Load setup", "CBLoadSetup");
  app.UIMENULABELS[kFileMenu][kSaveSetupItem] = MenuItem(app, app.UIMENU[kFileMenu], "Save setup", "CBSaveSetup");
  app.UIMENULABELS[kFileMenu][kQuitItem] = MenuItem(app, app.UIMENU[kFileMenu], "Quit", "CBCloseMainWindow");
  app.UIMENU[kHelpMenu] = bar->addMenu("Help");
  app.UIMENU[kHelpMenu]->setPalette(QApplication::palette());
  app.UIMENULABELS[kHelpMenu][kGettingStartedItem] =
      MenuItem(app, app.UIMENU[kHelpMenu], "Getting started", "CBGettingStarted");
  app.UIMENULABELS[kHelpMenu][kWebPageItem] =
      MenuItem(app, app.UIMENU[kHelpMenu], "Zuv Poker on the web", "CBZuvPokerOnTheWeb");
  app.UIMENU[kHelpMenu]->addSeparator();
  app.UIMENULABELS[kHelpMenu][kAboutItem] = MenuItem(app, app.UIMENU[kHelpMenu], "About...", "CBAbout");
}

}  // namespace zuv
