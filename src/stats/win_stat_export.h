#pragma once

namespace zuv {

class App;

// The results of a statistics window taken out of the program. Each acts on
// the statistics window FIGURE.WinStatFigHandle; a window's own menu makes
// itself that window while its item runs.

// "Save picture...": the chart as a PNG picture, or a PDF document when the
// chosen name ends with ".pdf".
void CBSaveStatPicture(App& app);

// "Save table...": the numbers of the chart as a CSV file.
void CBSaveStatTable(App& app);

// "Copy": the same table, tab separated, to the clipboard.
void CBCopyStatTable(App& app);

}  // namespace zuv
