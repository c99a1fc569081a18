// The settings file: a document nobody touches writes back byte for byte;
// a value written reads back; no other value of the file changes. Values are
// checked against a small reader written here from the file's rules, so the
// document's own index is tested too.
//
// Input: section NUL key NUL value NUL document. Without three NULs the whole
// input is the document and only the first property is checked.

#include "fuzz/fuzz_check.h"
#include "settings/profile_document.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace {

using Bytes = std::string;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
size_t charLen(std::string_view s, size_t i) {
    return i + 1 < s.size() && isLead(static_cast<unsigned char>(s[i])) && isTrail(static_cast<unsigned char>(s[i + 1]))
               ? 2
               : 1;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// ASCII letters in lower case; both bytes of a double-byte character kept.
Bytes fold(std::string_view s) {
    Bytes out;
    for (size_t i = 0; i < s.size();) {
        const size_t n = charLen(s, i);
        for (size_t k = 0; k < n; ++k) {
            const char c = s[i + k];
            out.push_back(n == 1 && c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
        }
        i += n;
    }
    return out;
}

// Every value a reader can reach: (folded section, folded key) -> value,
// the first section of a name and the first key of a name counting.
using Values = std::map<std::pair<Bytes, Bytes>, Bytes>;

Values readAll(std::string_view text) {
    Values values;
    std::map<Bytes, int> firstSection; // folded name -> number of its first header
    int section = -1;                  // the header the lines belong to; -1 before the first
    Bytes current;
    bool counts = false; // the lines belong to the first section of their name
    size_t pos = 0;
    int headers = 0;
    while (pos < text.size()) {
        size_t stop = pos;
        while (stop < text.size() && text[stop] != '\r' && text[stop] != '\n')
            ++stop;
        std::string_view line = text.substr(pos, stop - pos);
        pos = stop < text.size() && text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n' ? stop + 2
                                                                                                           : stop + 1;
        size_t start = 0;
        while (start < line.size() && isBlank(line[start]))
            ++start;
        line.remove_prefix(start);
        if (!line.empty() && line[0] == '[') {
            size_t close = 1;
            while (close < line.size() && line[close] != ']')
                close += charLen(line, close);
            current = fold(trim(line.substr(1, std::min(close, line.size()) - 1)));
            section = headers++;
            counts = firstSection.emplace(current, section).second;
            continue;
        }
        if (section < 0 || !counts || line.empty() || line[0] == ';')
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        values.emplace(std::make_pair(current, fold(trim(line.substr(0, eq)))), Bytes(trim(line.substr(eq + 1))));
    }
    return values;
}

// Names that a file can spell back: one line, no blank at either end, no
// closing bracket for a section and no "=" for a key, a key that does not
// read as a header or a comment, and no cut double-byte character at the end.
bool spellable(const Bytes &name, bool isSection) {
    if (name.empty() || name.find_first_of("\r\n") != Bytes::npos || isBlank(name.front()) || isBlank(name.back()))
        return false;
    size_t i = 0;
    while (i < name.size()) {
        const size_t n = charLen(name, i);
        if (n == 1 && isLead(static_cast<unsigned char>(name[i])) && i + 1 == name.size())
            return false;
        if (n == 1 && isSection && name[i] == ']')
            return false;
        i += n;
    }
    if (isSection)
        return true;
    return name.find('=') == Bytes::npos && name[0] != '[' && name[0] != ';';
}

void checkAgainst(const vb::ProfileDocument &doc, const Values &values) {
    for (const auto &[where, value] : values) {
        std::string_view found;
        FUZZ_CHECK(doc.find(where.first, where.second, found));
        FUZZ_CHECK(found == value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string input(reinterpret_cast<const char *>(data), size);
    size_t cuts[3];
    size_t from = 0;
    int found = 0;
    for (; found < 3; ++found) {
        const size_t nul = input.find('\0', from);
        if (nul == std::string::npos)
            break;
        cuts[found] = nul;
        from = nul + 1;
    }
    const Bytes text = found == 3 ? input.substr(cuts[2] + 1) : input;

    vb::ProfileDocument doc(text);
    FUZZ_CHECK(doc.text() == text);
    Values values = readAll(text);
    checkAgainst(doc, values);
    if (found < 3)
        return 0;

    const Bytes section = input.substr(0, cuts[0]);
    const Bytes key = input.substr(cuts[0] + 1, cuts[1] - cuts[0] - 1);
    const Bytes value = input.substr(cuts[1] + 1, cuts[2] - cuts[1] - 1);
    if (!spellable(section, true) || !spellable(key, false))
        return 0;
    doc.set(section, key, value);
    const Bytes written = doc.text();
    values[{fold(section), fold(key)}] = Bytes(trim(std::string_view(value).substr(0, value.find_first_of("\r\n"))));
    FUZZ_CHECK(readAll(written) == values);
    checkAgainst(doc, values);
    // The written file reads the same when loaded afresh.
    vb::ProfileDocument again(written);
    FUZZ_CHECK(again.text() == written);
    checkAgainst(again, values);
    return 0;
}
