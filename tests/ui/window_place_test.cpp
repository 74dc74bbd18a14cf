// A stored window place is taken only where the window's title bar lies whole in the MDI area.

#include <gtest/gtest.h>

#include <climits>

#include "tests/support/qt_print.h"
#include "ui/window_place.h"

namespace torvex::test {
namespace {

TEST(PlaceInArea, AStoredPlaceThatHidesTheTitleBarGivesTheDefaultPlace) {
    const QRect area(0, 0, 1000, 500);
    const QSize size(450, 510);  // taller than the area: only the title bar must fit
    const int titleBar = 24;
    const QPoint home(537, 0);
    const struct {
        const char* name;
        QPoint stored;
        QPoint expected;
    } cases[] = {
        {"fine", {40, 30}, {40, 30}},
        {"at the bottom right corner", {550, 476}, {550, 476}},
        {"far off", {100000, 200000}, home},
        {"negative left", {-1, 30}, home},
        {"negative top", {40, -1}, home},
        {"INT_MAX", {INT_MAX, INT_MAX}, home},
        {"INT_MAX left only", {INT_MAX, 0}, home},
        {"INT_MIN", {INT_MIN, INT_MIN}, home},
        {"title bar partly below", {40, 477}, home},
        {"title bar partly right", {551, 0}, home},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceInArea(area, size, titleBar, c.stored, home), c.expected) << c.name;
}

}  // namespace
}  // namespace torvex::test
