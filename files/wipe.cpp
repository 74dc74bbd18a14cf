#include "files/wipe.h"

namespace torvex {

void Wipe(Plc& plc, IOComments& comments) {
    plc.ClearDiagram();
    comments.clear();
}

}  // namespace torvex
