// Where an MDI child that keeps its place goes when it is made again. The stored place comes
// from a settings file that anyone can edit, and the screen may have shrunk since it was
// written: a place that would leave the title bar, the only handle the user has, outside the
// MDI area is not taken.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QMdiSubWindow;

namespace torvex {

// `stored` when a window of `size` with a title bar `titleBarHeight` high, placed there, has
// its whole title bar inside `area`; `defaultPlace` otherwise. No sum of a stored value can
// overflow.
QPoint PlaceInArea(const QRect& area, const QSize& size, int titleBarHeight, QPoint stored,
                   QPoint defaultPlace);

// The same for a window already in its MDI area, with its own size and title bar.
QPoint PlaceInArea(const QMdiSubWindow& window, QPoint stored, QPoint defaultPlace);

}  // namespace torvex
