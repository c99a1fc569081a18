#pragma once
#include "ui/core/codepage.h"

namespace vb {

// The directory of the executable, ending in the separator. Tests point it at
// a directory of their own.
Bytes EPath();
void setEPath(const Bytes &dir);

} // namespace vb
