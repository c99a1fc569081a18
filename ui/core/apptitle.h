#pragma once
#include "codepage.h"

namespace vb {

// The application title: caption of the browser and of every message box,
// and the name of the settings file's application section.
inline Bytes appTitle() { return "Velbrook v0.2"; }

} // namespace vb
