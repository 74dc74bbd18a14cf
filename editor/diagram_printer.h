// Prints the diagram as vector graphics: each rung with its label and comment, as many to a
// page as fit, under a header with the diagram's name, the date and the page number; after
// the rungs the I/O list, every point that has a comment or is used, with the rungs that use
// it.
#pragma once

#include <QString>

class QPagedPaintDevice;

namespace torvex {

class Plc;
struct IOComments;

struct PrintHeader {
    QString title;  // the diagram's file name
    QString date;
};

// `names`: the points' I/O comments above the controls, as the rung view shows them.
// Returns the number of pages printed.
int PrintDiagram(QPagedPaintDevice& device, const Plc& plc, const IOComments& comments,
                 const PrintHeader& header, bool names);

}  // namespace torvex
