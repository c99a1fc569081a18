#pragma once
// The category setup window's rules that need no window: the template of a
// new category, the forms the fields are stored in, and where the directory
// chooser goes.

#include "settings/categories.h"

#include <array>

namespace vb {

// The words of the header switches (slots 40 to 44) and of the file-type
// switches (slots 50 to 54) when they are on; off is "False".
const std::array<const char *, 5> &informationWords();
const std::array<const char *, 5> &fileWords();

// A new category over exeDir (which ends in the separator): "Enable", "New
// Category", exeDir, "000", "TXT", "Fixed", "Descending Order", "Text Mode",
// "File Name", both default faces at "12" with style "[]" and colour
// "clWindowText", and every header and file-type switch on.
CategoryRecord newCategoryTemplate(const Bytes &exeDir);

// "0" appended until the text holds at least 3 code-page bytes.
Bytes padToThree(Bytes text);

// The Directory field's text for the directory chooser's directory: the
// root as it is, any other directory with the separator appended.
Bytes pickedDirectory(const Bytes &dir);

// dir itself when it is a directory, else the nearest of its parents that
// is; the root when none is.
Bytes nearestExistingDirectory(const Bytes &dir);

// The point-size value of a stored size: the whole number it holds, 12 when
// it holds none.
int pointSizeValue(const Bytes &text);

// "face／points point".
Bytes fontCaption(const Bytes &face, int points);

// The number of enabled entries at the front of the table.
int liveEntries(const CategoryTable &table);

} // namespace vb
