// Field-by-field comparison of two memory images, naming the first difference.
#pragma once

#include <string>

#include "engine/memory_image.h"

namespace torvex::test {

// Empty when every field is equal, else the name of the first field that differs.
std::string FirstDifference(const MemoryImage& a, const MemoryImage& b, bool compareTick = true);

}  // namespace torvex::test
