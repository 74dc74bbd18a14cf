// The rung solver written out cell by cell, exactly as the scan is described, with no
// preparation: the oracle against which the engine's solver is compared.
#pragma once

#include "engine/plc.h"

namespace torvex::test {

void ReferenceSingleStep(Plc& plc, int rung);
void ReferenceRunStep(Plc& plc);

}  // namespace torvex::test
