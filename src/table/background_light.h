#pragma once

#include <QImage>
#include <optional>

#include "state/records.h"

namespace zuv {

class App;

// The soft light under the table: a dome of half-axes 1.25 by 0.85 and height
// 0.4 seen from above, coloured by its height through a ramp from the felt
// green to pale yellow that brightens only near the top.
namespace background_light {

inline constexpr double kRadiusX = 1.25;
inline constexpr double kRadiusY = 0.85;
inline constexpr double kHeight = 0.4;
inline constexpr int kRampEntries = 91;

// Ramp entry i (1..91, fractions allowed between entries).
RGB Ramp(double entry);
// The light's colour at a table point in data units; none outside the ellipse.
std::optional<RGB> ColourAt(double x, double y);
// The light drawn over its bounding box at `pixelsPerUnit` (times
// `devicePixelRatio` pixels); see-through outside the ellipse.
QImage Image(double pixelsPerUnit, double devicePixelRatio);

}  // namespace background_light

// Adds the light behind everything else of the table.
void PlotBackground(App& app);

}  // namespace zuv
