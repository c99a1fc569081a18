#include "messages/links.h"

#include "messages/numbers.h"

namespace vb {

int nextLinkCount(const Bytes &nextLinks) {
    const size_t pieces = nextLinks.size() / kNextLinkLength;
    return pieces > size_t(kMaxNextLinks) ? kMaxNextLinks : int(pieces);
}

int nextLink(const Bytes &nextLinks, int k) { return wholeNumber(nextLinks.substr(size_t(k - 1) * kNextLinkLength, kNextLinkLength)); }

int backLinkNumber(const Bytes &backLink) { return wholeNumber(backLink); }

} // namespace vb
