#pragma once

class QWidget;

namespace zuv {

// Flushes drawing and runs the events that are waiting (stop clicks, close requests).
void drawnow();

// Waits the given time while serving events, so the window stays usable.
void pause(double seconds);

// Blocks the caller in a nested event loop until `window` is deleted.
void uiwait(QWidget* window);

}  // namespace zuv
