#pragma once
// A file as its list of lines, without their line breaks.

#include "platform/codepage.h"

#include <vector>

namespace vb {

using Lines = std::vector<Bytes>;

} // namespace vb
