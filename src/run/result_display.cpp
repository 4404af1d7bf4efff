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
  if (QWidget* label = app.UICONTROLS.handle[6]) label->hide();
  if (QWidget* counter = app.UICONTROLS.handle[7]) counter->hide();
}

}  // namespace zuv
