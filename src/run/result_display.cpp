#include "run/result_display.h"

#include <qcustomplot.h>

#include "state/app.h"

namespace zuv {

void ResetResultDisplay(App& app) {
  if (QCustomPlot* chart = app.FIGURE.histogramaxes) {
    chart->clearPlottables();
    chart->clearItems();
    chart->hide();
  }
  if (QWidget* label = app.UICONTROLS.handle[kCounterLabel]) label->hide();
  if (QWidget* counter = app.UICONTROLS.handle[kCounter]) counter->hide();
}

}  // namespace zuv
