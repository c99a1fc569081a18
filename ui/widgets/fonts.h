#pragma once
// Fonts the program names by the faces stored in its settings.

namespace vb {

// The stored default faces are mapped onto installed Japanese faces.
void installFontSubstitutes();

} // namespace vb
