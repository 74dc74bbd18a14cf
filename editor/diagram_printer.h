// Prints the diagram as the rung view shows it: each rung with its label and comment,
// as many to a page as fit, with the diagram's name and the page number at the top.
#pragma once

#include <QString>

class QPagedPaintDevice;

namespace torvex {

class Plc;

// Returns the number of pages printed.
int PrintDiagram(QPagedPaintDevice& device, const Plc& plc, const QString& title);

}  // namespace torvex
