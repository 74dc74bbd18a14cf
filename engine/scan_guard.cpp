#include "engine/scan_guard.h"

#include <cstdio>
#include <cstdlib>

namespace torvex {

bool ScanGuard::check() const {
    if (mayTouch()) return true;
    violations_.fetch_add(1, std::memory_order_relaxed);
    if (abort_) {
        std::fputs(
            "torvex: the scan's state was touched outside the run thread and the calls "
            "it marshals\n",
            stderr);
        std::abort();
    }
    return false;
}

}  // namespace torvex
