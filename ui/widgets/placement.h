#pragma once
// Placing top-level windows: centring on the screen and setting the outer
// (frame) size. A window that is not on the screen yet has no frame to
// measure, so both are applied again once it is shown.

#include <QSize>

class QWidget;

namespace vb {

void centreOnScreen(QWidget *w);
// Outer size := outer (when valid), then centred when centre is true.
void placeOuter(QWidget *w, QSize outer, bool centre);
// A window that shows one fixed panel: the panel at its top left, the window
// its size, centred.
void placePanelWindow(QWidget *window, QWidget *panel);
// Shrinks the window to the available area of its screen and moves it inside,
// frame included.
void fitToScreen(QWidget *w);

} // namespace vb
