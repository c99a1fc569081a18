#include "messages/naming.h"

#include "messages/numbers.h"
#include "platform/mbcs.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vb {
namespace {

constexpr size_t npos = size_t(-1);

bool sameChar(const char *a, const char *b, size_t len) {
    if (len == 1)
        return mbcs::foldLetter(static_cast<unsigned char>(*a)) == mbcs::foldLetter(static_cast<unsigned char>(*b));
    return std::memcmp(a, b, len) == 0;
}

// One pattern against one name, character by character; a "*" retries at
// every later character start of the name.
bool matchPattern(const Bytes &pattern, const Bytes &name) {
    const char *p = pattern.data();
    const char *s = name.data();
    const size_t pn = pattern.size(), sn = name.size();
    size_t pi = 0, si = 0;
    size_t starP = npos, starS = 0;
    while (si < sn) {
        if (pi < pn) {
            if (p[pi] == '*') {
                starP = ++pi;
                starS = si;
                continue;
            }
            const size_t slen = mbcs::charLength(std::string_view(s, sn), si);
            if (p[pi] == '?') {
                ++pi;
                si += slen;
                continue;
            }
            const size_t plen = mbcs::charLength(std::string_view(p, pn), pi);
            if (plen == slen && sameChar(p + pi, s + si, plen)) {
                pi += plen;
                si += slen;
                continue;
            }
        }
        if (starP == npos)
            return false;
        starS += mbcs::charLength(std::string_view(s, sn), starS);
        si = starS;
        pi = starP;
    }
    while (pi < pn && p[pi] == '*')
        ++pi;
    return pi == pn;
}

} // namespace

Bytes logModeFileName(const Bytes &prefix, long long number, const Bytes &ext) {
    return prefix + fiveDigit(number) + "." + ext;
}

Bytes logModeMask(const Bytes &prefix, const Bytes &ext) { return prefix + "?????." + ext; }

Bytes textModeMask(const Bytes &txt, const Bytes &doc, const Bytes &man, const Bytes &ggg, const Bytes &ini) {
    Bytes mask;
    if (txt == kWordTXT)
        mask = "*.TXT";
    if (doc == kWordDOC)
        mask += ";*.DOC";
    if (man == kWordMAN)
        mask += ";*.MAN";
    if (ggg == kWordGGG)
        mask += ";*.GGG";
    if (ini == kWordINI)
        mask += ";*.INI";
    if (mask.empty())
        mask = "*.*";
    return mask;
}

Bytes categoryMask(const CategoryRecord &c) {
    if (c.isLogMode())
        return logModeMask(c[kSlotFileName1], c[kSlotFileName2]);
    return textModeMask(c[kSlotSearchTXT], c[kSlotSearchDOC], c[kSlotSearchMAN], c[kSlotSearchGGG], c[kSlotSearchINI]);
}

FileMask::FileMask(const Bytes &mask) {
    size_t start = 0;
    for (;;) {
        const size_t semi = mask.find(';', start);
        const size_t end = semi == Bytes::npos ? mask.size() : semi;
        Bytes pattern = mask.substr(start, end - start);
        if (pattern == "*.*" || pattern == "*")
            all_ = true;
        else if (!pattern.empty())
            patterns_.push_back(std::move(pattern));
        if (semi == Bytes::npos)
            break;
        start = semi + 1;
    }
    if (all_)
        patterns_.clear();
}

bool FileMask::matches(const Bytes &name) const {
    if (all_)
        return true;
    for (const Bytes &pattern : patterns_)
        if (matchPattern(pattern, name))
            return true;
    return false;
}

int compareFileNames(const Bytes &a, const Bytes &b) {
    const char *pa = a.data();
    const char *pb = b.data();
    const size_t na = a.size(), nb = b.size();
    size_t i = 0;
    // Both names are walked in step: while they agree, their characters
    // start at the same offsets.
    while (i < na && i < nb) {
        // Equal single-byte characters need no folding.
        while (i < na && i < nb && pa[i] == pb[i] && static_cast<unsigned char>(pa[i]) < 0x80)
            ++i;
        if (i == na || i == nb)
            break;
        const unsigned char ca = static_cast<unsigned char>(pa[i]);
        const unsigned char cb = static_cast<unsigned char>(pb[i]);
        if (mbcs::isLeadByte(ca) || mbcs::isLeadByte(cb)) {
            if (ca != cb)
                return ca < cb ? -1 : 1;
            const size_t len = mbcs::charLength(std::string_view(pa, na), i);
            if (len == 2 && i + 1 < nb) {
                const unsigned char ta = static_cast<unsigned char>(pa[i + 1]);
                const unsigned char tb = static_cast<unsigned char>(pb[i + 1]);
                if (ta != tb)
                    return ta < tb ? -1 : 1;
            }
            i += len;
            continue;
        }
        const unsigned char fa = mbcs::foldLetter(ca), fb = mbcs::foldLetter(cb);
        if (fa != fb)
            return fa < fb ? -1 : 1;
        ++i;
    }
    if (na != nb)
        return na < nb ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void sortFileNames(std::vector<Bytes> &names, std::vector<uint64_t> *paired) {
    if (paired && paired->size() != names.size())
        paired = nullptr;
    // Every key lies in one block; an entry holds the first eight bytes of
    // its key as a number, which settles most comparisons without a call.
    size_t total = 0;
    for (const Bytes &name : names)
        total += name.size();
    std::string keys;
    keys.reserve(total);
    struct Entry {
        uint64_t head; // key bytes 0-7, big-endian, zero past the key's end
        size_t key;
        uint32_t length, index;
    };
    std::vector<Entry> order;
    order.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const Bytes &name = names[i];
        const size_t start = keys.size(), n = name.size();
        for (size_t k = 0; k < n;) {
            const unsigned char b = static_cast<unsigned char>(name[k]);
            if (b < 0x80) {
                keys.push_back(char(mbcs::foldLetter(b)));
                ++k;
            } else if (mbcs::charLength(name, k) == 2) {
                keys.append(name, k, 2);
                k += 2;
            } else {
                keys.push_back(char(b));
                ++k;
            }
        }
        uint64_t head = 0;
        for (size_t k = 0; k < 8; ++k)
            head = head << 8 | (k < n ? static_cast<unsigned char>(keys[start + k]) : 0u);
        order.push_back({head, start, uint32_t(n), uint32_t(i)});
    }
    const char *base = keys.data();
    // A zero past the end of the shorter key sorts it first or ties, as the
    // length comparison after equal bytes does: the order is the same.
    std::sort(order.begin(), order.end(), [&](const Entry &a, const Entry &b) {
        if (a.head != b.head)
            return a.head < b.head;
        const size_t common = std::min(a.length, b.length);
        if (common > 8) {
            const int c = std::memcmp(base + a.key + 8, base + b.key + 8, common - 8);
            if (c != 0)
                return c < 0;
        }
        if (a.length != b.length)
            return a.length < b.length;
        return names[a.index] < names[b.index];
    });
    // The names move to their places in cycles: place k takes the name at
    // order[k].index, whose place takes the next, until the cycle closes.
    std::vector<bool> placed(names.size());
    for (size_t k = 0; k < names.size(); ++k) {
        if (placed[k])
            continue;
        Bytes first = std::move(names[k]);
        const uint64_t firstPaired = paired ? (*paired)[k] : 0;
        size_t to = k;
        for (;;) {
            placed[to] = true;
            const size_t from = order[to].index;
            if (from == k) {
                names[to] = std::move(first);
                if (paired)
                    (*paired)[to] = firstPaired;
                break;
            }
            names[to] = std::move(names[from]);
            if (paired)
                (*paired)[to] = (*paired)[from];
            to = from;
        }
    }
}

} // namespace vb
