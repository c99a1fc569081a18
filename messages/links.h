#pragma once
// The links between related messages as the header stores them: up to ten
// next links as five-digit numbers run together, and one back link.

#include "platform/codepage.h"

namespace vb {

constexpr int kMaxNextLinks = 10;
// The bytes of one next link in the stored value.
constexpr size_t kNextLinkLength = 5;

// How many next links the value holds: the k-th (1-based) counts only when
// the value is at least 5k bytes long; bytes after the 50th and a shorter
// last piece are ignored.
int nextLinkCount(const Bytes &nextLinks);

// The k-th next link (1 <= k <= nextLinkCount): bytes 5k-4 to 5k converted as
// a whole number. A piece that is not a whole number raises the conversion
// failure, so a caller taking the links in order has the earlier ones.
int nextLink(const Bytes &nextLinks, int k);

// A non-empty back link converted whole; raises the conversion failure when
// it is not a whole number (an empty value, meaning no back link, included).
int backLinkNumber(const Bytes &backLink);

} // namespace vb
