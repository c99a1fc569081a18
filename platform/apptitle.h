#pragma once
#include "platform/codepage.h"

namespace vb {

// The application title: caption of the browser and of every message box,
// and the name of the settings file's application section.
inline constexpr char kAppTitle[] = "Velbrook v0.2";
inline Bytes appTitle() { return kAppTitle; }

} // namespace vb
