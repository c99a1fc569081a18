#include "platform/codepage.h"

#include "platform/mbcs.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vb {
namespace {

struct Entry {
    uint16_t code;
    uint16_t unicode;
    uint8_t canonical;
};

const Entry kTable[] = {
#include "platform/cp932_table.inc"
};

// A character that several byte sequences decode to is shown as the
// character; the sequences that an encoder would not choose carry a variation
// selector behind it (U+FE00 for the first such sequence, U+FE01 for the
// second), which renders as nothing and brings the original bytes back.
constexpr char16_t kVariationBase = 0xFE00;

// The non-canonical codes of one character, in the table's order.
struct Alternatives {
    uint16_t unicode;
    std::array<uint16_t, 3> codes;
};

struct Maps {
    std::array<uint16_t, 256> single{}; // byte -> unicode, 0 = none
    std::vector<uint16_t> dbl;          // (lead << 8 | trail) -> unicode
    std::vector<uint8_t> variant;       // 0 canonical, n = selector n-1
    std::vector<uint16_t> encode;       // unicode -> code, 0 = none
    std::vector<Alternatives> alt;      // the few characters that have them, by unicode

    Maps() : dbl(65536, 0), variant(65536, 0), encode(65536, 0) {
        for (int b = 0; b < 0x80; ++b) {
            single[b] = uint16_t(b);
            encode[b] = uint16_t(b);
        }
        std::vector<const Entry *> others;
        for (const Entry &e : kTable) {
            if (e.code < 0x100)
                single[e.code] = e.unicode;
            else
                dbl[e.code] = e.unicode;
            if (e.canonical)
                encode[e.unicode] = e.code;
            else
                others.push_back(&e);
        }
        // Grouped by character, each group in the table's order.
        std::stable_sort(others.begin(), others.end(),
                         [](const Entry *a, const Entry *b) { return a->unicode < b->unicode; });
        for (const Entry *e : others) {
            if (alt.empty() || alt.back().unicode != e->unicode)
                alt.push_back({e->unicode, {}});
            auto &codes = alt.back().codes;
            for (size_t i = 0; i < codes.size(); ++i) {
                if (codes[i] == 0) {
                    codes[i] = e->code;
                    variant[e->code] = uint8_t(i + 1);
                    break;
                }
            }
        }
    }

    // The n-th non-canonical code of the character; 0 when it has none.
    uint16_t alternative(char16_t unicode, size_t n) const {
        const auto it = std::lower_bound(alt.begin(), alt.end(), unicode,
                                         [](const Alternatives &a, char16_t u) { return a.unicode < u; });
        return it != alt.end() && it->unicode == unicode ? it->codes[n] : 0;
    }
};

const Maps &maps() {
    static const Maps m;
    return m;
}

// Decodes one character at bytes[i]; returns the number of bytes consumed and
// appends to out. Never fails: an undecodable byte becomes its placeholder.
size_t decodeOne(std::string_view bytes, size_t i, QString &out) {
    const Maps &m = maps();
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
        out.append(QChar(char16_t(b)));
        return 1;
    }
    if (mbcs::isLeadByte(b) && i + 1 < bytes.size()) {
        unsigned code = (unsigned(b) << 8) | static_cast<unsigned char>(bytes[i + 1]);
        if (uint16_t u = m.dbl[code]) {
            out.append(QChar(char16_t(u)));
            if (uint8_t v = m.variant[code])
                out.append(QChar(char16_t(kVariationBase + v - 1)));
            return 2;
        }
    }
    if (uint16_t u = m.single[b]) {
        out.append(QChar(char16_t(u)));
        return 1;
    }
    out.append(QChar(char16_t(kEscapeBase + b)));
    return 1;
}

void appendCode(char *&p, uint16_t code) {
    if (code >= 0x100)
        *p++ = char(code >> 8);
    *p++ = char(code & 0xFF);
}

// Writes the character at text[i] at p, two bytes at most; returns the number
// of UTF-16 units used.
size_t encodeOne(const Maps &m, QStringView text, qsizetype i, char *&p) {
    char16_t c = text.at(i).unicode();
    if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
        *p++ = char(c - kEscapeBase);
        return 1;
    }
    if (i + 1 < text.size()) {
        char16_t next = text.at(i + 1).unicode();
        if (next >= kVariationBase && next < kVariationBase + 3) {
            uint16_t code = m.alternative(c, size_t(next - kVariationBase));
            if (code) {
                appendCode(p, code);
                return 2;
            }
        }
    }
    if (c == 0) {
        *p++ = '\0';
        return 1;
    }
    if (uint16_t code = m.encode[c]) {
        appendCode(p, code);
        return 1;
    }
    // A character the code page cannot spell (typed or pasted by the user).
    *p++ = '?';
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        return 2;
    return 1;
}

// Raw file-system bytes that the code page cannot spell are kept as pairs of
// bytes behind the lead bytes 0x85 and 0x86, which the code page leaves unused.
constexpr unsigned char kFsEscapeLow = 0x85;  // raw 0x80..0xBF
constexpr unsigned char kFsEscapeHigh = 0x86; // raw 0xC0..0xFF

void appendFsEscaped(Bytes &out, const std::string &raw) {
    for (unsigned char r : raw) {
        if (r < 0x80) {
            out.push_back(char(r));
        } else if (r < 0xC0) {
            out.push_back(char(kFsEscapeLow));
            out.push_back(char(r));
        } else {
            out.push_back(char(kFsEscapeHigh));
            out.push_back(char(r - 0x40));
        }
    }
}

// Length of the UTF-8 sequence at s[i], 0 when it is not well formed.
size_t utf8Length(const std::string &s, size_t i, char32_t *cp) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    size_t n = 0;
    char32_t v = 0;
    if (b < 0x80) {
        *cp = b;
        return 1;
    }
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        v = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        v = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        v = b & 0x07;
    } else
        return 0;
    if (i + n > s.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        unsigned char t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80)
            return 0;
        v = (v << 6) | (t & 0x3F);
    }
    if ((n == 3 && v < 0x800) || (n == 4 && (v < 0x10000 || v > 0x10FFFF)) || (v >= 0xD800 && v <= 0xDFFF))
        return 0;
    *cp = v;
    return n;
}

void appendUtf8(std::string &out, char32_t v) {
    if (v < 0x80) {
        out.push_back(char(v));
    } else if (v < 0x800) {
        out.push_back(char(0xC0 | (v >> 6)));
        out.push_back(char(0x80 | (v & 0x3F)));
    } else if (v < 0x10000) {
        out.push_back(char(0xE0 | (v >> 12)));
        out.push_back(char(0x80 | ((v >> 6) & 0x3F)));
        out.push_back(char(0x80 | (v & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (v >> 18)));
        out.push_back(char(0x80 | ((v >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((v >> 6) & 0x3F)));
        out.push_back(char(0x80 | (v & 0x3F)));
    }
}

// A file-system name in code-page bytes. With rawPlaceholders, a placeholder
// character U+F780..U+F7FF comes over as the byte it stands for, so that a
// code-page name holding bytes that do not decode lists as those bytes again;
// without it, a placeholder is escaped like every character the code page
// cannot spell. *rawUsed tells whether a placeholder came over as a byte.
Bytes fsNameToBytes(const std::string &fsName, bool rawPlaceholders, bool *rawUsed) {
    Bytes out;
    out.reserve(fsName.size());
    for (size_t i = 0; i < fsName.size();) {
        char32_t v = 0;
        size_t n = utf8Length(fsName, i, &v);
        if (n == 0) { // not UTF-8: keep the raw byte
            appendFsEscaped(out, fsName.substr(i, 1));
            i += 1;
            continue;
        }
        if (v < 0x80) {
            out.push_back(char(v));
        } else if (v >= kEscapeBase + 0x80 && v <= kEscapeBase + 0xFF) {
            if (rawPlaceholders) {
                out.push_back(char(v - kEscapeBase));
                *rawUsed = true;
            } else {
                appendFsEscaped(out, fsName.substr(i, n));
            }
        } else {
            // The character, with a variation selector that may follow it.
            // Built unit by unit: a UTF-32 decoder would take U+FEFF for a
            // byte-order mark and drop it.
            QString ch;
            if (v < 0x10000) {
                ch.append(QChar(char16_t(v)));
            } else {
                ch.append(QChar(QChar::highSurrogate(v)));
                ch.append(QChar(QChar::lowSurrogate(v)));
            }
            size_t used = n;
            char32_t sel = 0;
            size_t m = i + n < fsName.size() ? utf8Length(fsName, i + n, &sel) : 0;
            if (m && sel >= kVariationBase && sel < kVariationBase + 3) {
                ch.append(QChar(char16_t(sel)));
                used += m;
            }
            Bytes enc = fromUnicode(ch);
            if (toUnicode(enc) == ch) {
                out += enc;
                i += used;
                continue;
            }
            appendFsEscaped(out, fsName.substr(i, n));
        }
        i += n;
    }
    return out;
}

} // namespace

QString toUnicode(const Bytes &bytes) {
    QString out;
    out.reserve(qsizetype(bytes.size()));
    appendUnicode(out, bytes);
    return out;
}

size_t characterLength(std::string_view bytes, size_t i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80 || !mbcs::isLeadByte(b) || i + 1 >= bytes.size())
        return 1;
    return maps().dbl[(unsigned(b) << 8) | static_cast<unsigned char>(bytes[i + 1])] ? 2 : 1;
}

void appendUnicode(QString &out, std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();)
        i += decodeOne(bytes, i, out);
}

namespace {

constexpr char16_t kParagraphEnd = 0x2029;

// Whether the eight units at s are all ASCII.
bool eightAscii(const char16_t *s) {
    uint64_t a = 0, b = 0;
    std::memcpy(&a, s, sizeof a);
    std::memcpy(&b, s + 4, sizeof b);
    return ((a | b) & 0xFF80FF80FF80FF80ull) == 0;
}

// text encoded and appended to out; with lineEnd given, each U+2029 is
// written as *lineEnd.
void encodeInto(Bytes &out, QStringView text, const std::string_view *lineEnd) {
    const Maps &m = maps();
    const qsizetype n = text.size();
    const char16_t *s = text.utf16();
    // No character takes more than two bytes, nor more bytes than UTF-16
    // units; a line end takes its own length.
    const size_t most = std::max<size_t>(2, lineEnd ? lineEnd->size() : 0);
    out.reserve(out.size() + size_t(n) * most);
    // The room is made a piece at a time, so that the bytes out gains are
    // written once, not first cleared at twice their size.
    constexpr qsizetype kPiece = 1 << 15;
    for (qsizetype i = 0; i < n;) {
        const qsizetype stop = std::min(n, i + kPiece);
        const size_t base = out.size();
        // One character more: a pair of units may end past stop.
        out.resize(base + size_t(stop - i + 1) * most);
        char *const start = &out[0] + base;
        char *p = start;
        while (i < stop) {
            // ASCII stands for itself, unless a variation selector follows:
            // eight at a time where the ninth is seen to be none.
            if (i + 8 < stop && eightAscii(s + i) && s[i + 8] < kVariationBase) {
                for (int k = 0; k < 8; ++k)
                    p[k] = char(s[i + k]);
                p += 8;
                i += 8;
                continue;
            }
            const char16_t c = s[i];
            if (c != 0 && c < 0x80 && (i + 1 == n || s[i + 1] < kVariationBase)) {
                *p++ = char(c);
                ++i;
            } else if (c == kParagraphEnd && lineEnd) {
                p = std::copy(lineEnd->begin(), lineEnd->end(), p);
                ++i;
            } else {
                i += qsizetype(encodeOne(m, text, i, p));
            }
        }
        out.resize(base + size_t(p - start));
    }
}

} // namespace

void appendFromUnicode(Bytes &out, QStringView text) { encodeInto(out, text, nullptr); }

void appendFromUnicodeLines(Bytes &out, QStringView text, std::string_view lineEnd) { encodeInto(out, text, &lineEnd); }

Bytes fromUnicode(QStringView text) {
    Bytes out;
    appendFromUnicode(out, text);
    return out;
}

Bytes fromUnicode(const QString &text) { return fromUnicode(QStringView(text)); }

Bytes cp(const char *utf8) { return fromUnicode(QString::fromUtf8(utf8)); }

Bytes fsToBytes(const std::string &fsName) {
    // ASCII is spelled alike on both sides.
    if (std::all_of(fsName.begin(), fsName.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return fsName;
    bool rawUsed = false;
    Bytes out = fsNameToBytes(fsName, true, &rawUsed);
    // A placeholder's byte can join the bytes around it into another character
    // (0x81 then "@" reads as a full-width space): such a name is spelled with
    // every placeholder escaped, which always leads back to it.
    if (rawUsed && bytesToFs(out) != fsName)
        out = fsNameToBytes(fsName, false, &rawUsed);
    return out;
}

std::string bytesToFs(const Bytes &name) {
    std::string out;
    out.reserve(name.size() * 3 / 2);
    appendBytesToFs(out, name);
    return out;
}

void appendBytesToFs(std::string &out, const Bytes &name) {
    for (size_t i = 0; i < name.size();) {
        unsigned char b = static_cast<unsigned char>(name[i]);
        if (b < 0x80) {
            out.push_back(char(b));
            ++i;
            continue;
        }
        if ((b == kFsEscapeLow || b == kFsEscapeHigh) && i + 1 < name.size()) {
            unsigned char t = static_cast<unsigned char>(name[i + 1]);
            if (t >= 0x80 && t <= 0xBF) {
                out.push_back(char(b == kFsEscapeLow ? t : t + 0x40));
                i += 2;
                continue;
            }
        }
        QString ch;
        i += decodeOne(name, i, ch);
        for (QChar q : ch)
            appendUtf8(out, q.unicode());
    }
}

} // namespace vb
