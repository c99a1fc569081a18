#pragma once
// Names of message files and the masks by which a category finds its files.

#include "settings/categories.h"
#include "platform/codepage.h"

#include <cstdint>
#include <vector>

namespace vb {

// prefix + number in five-digit form + "." + ext: ("KVX", 12, "TXT") gives
// "KVX00012.TXT".
Bytes logModeFileName(const Bytes &prefix, long long number, const Bytes &ext);

// prefix + "?????." + ext.
Bytes logModeMask(const Bytes &prefix, const Bytes &ext);

// From the five search-file slot values (each holding its own word, "TXT" ..
// "INI", when chosen): "*.TXT" when TXT is chosen, then ";*.DOC", ";*.MAN",
// ";*.GGG", ";*.INI" for the others chosen; "*.*" when none is. Without TXT
// the mask begins with ";", an empty first pattern that matches nothing.
Bytes textModeMask(const Bytes &txt, const Bytes &doc, const Bytes &man, const Bytes &ggg, const Bytes &ini);

// The mask of a category from its search mode, file-name prefix and
// extension, and its five search-file slots.
Bytes categoryMask(const CategoryRecord &category);

// A file mask: patterns separated by ";", a name matching when it matches any
// of them. "?" matches one character (a double-byte character counts as one),
// "*" any run of characters, ASCII letters match without regard to case. An
// empty pattern matches nothing; "*.*" matches every name, with or without a
// dot.
class FileMask {
public:
    explicit FileMask(const Bytes &mask);
    bool matches(const Bytes &name) const;
    // True when no name can match (an empty mask, or only empty patterns).
    bool matchesNothing() const { return patterns_.empty() && !all_; }

private:
    std::vector<Bytes> patterns_;
    bool all_ = false;
};

// File-name order: ASCII letters compared without regard to case (never the
// second byte of a double-byte character), names equal that way ordered by
// their bytes. Returns <0, 0 or >0.
int compareFileNames(const Bytes &a, const Bytes &b);

// Puts names in the order of compareFileNames. Each name is folded once into
// a key of the same length (ASCII letters outside double-byte characters in
// lower case), and the keys are compared as bytes, the names themselves only
// between equal keys.
// Values paired with the names (one per name, or none) move with them.
void sortFileNames(std::vector<Bytes> &names, std::vector<uint64_t> *paired = nullptr);

} // namespace vb
