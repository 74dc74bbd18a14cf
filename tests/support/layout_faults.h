// What is wrong with the layout of a window, for the tests that every text of a window shows
// whole in both languages and with large fonts.
#pragma once

#include <string>
#include <vector>

class QWidget;

namespace torvex::test {

// Named visible widgets of `window` that lie outside their parent, over a sibling, or are
// too small for their text, each as "name: fault".
std::vector<std::string> LayoutFaults(QWidget* window);

}  // namespace torvex::test
