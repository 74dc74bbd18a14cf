#include "ui/window_place.h"

#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <cstdint>

namespace torvex {

QPoint PlaceInArea(const QRect& area, const QSize& size, int titleBarHeight, QPoint stored,
                   QPoint defaultPlace) {
    // 64 bits: a stored left or top may be anything an int holds.
    const int64_t left = stored.x(), top = stored.y();
    const bool inside = left >= area.left() && top >= area.top() &&
                        left + size.width() <= int64_t{area.right()} + 1 &&
                        top + titleBarHeight <= int64_t{area.bottom()} + 1;
    return inside ? stored : defaultPlace;
}

QPoint PlaceInArea(const QMdiSubWindow& window, QPoint stored, QPoint defaultPlace) {
    const QWidget* area = window.parentWidget();
    if (!area) return defaultPlace;
    QStyleOptionTitleBar option;
    option.initFrom(&window);
    option.titleBarFlags = window.windowFlags();
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &window);
    return PlaceInArea(area->rect(), window.size(), titleBar, stored, defaultPlace);
}

}  // namespace torvex
