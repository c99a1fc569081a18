#pragma once
// The boundary between the program's byte strings (the Windows Japanese code
// page, CP932) and Qt's Unicode strings, and between those byte strings and
// the file system's own names (UTF-8 on Linux).
//
// Both conversions are lossless: bytes that do not decode are carried through
// Unicode as placeholder characters and come back as the very same bytes.

#include <QString>
#include <string>
#include <string_view>

namespace vb {

using Bytes = std::string;

// Placeholder characters for bytes that do not decode: U+F780..U+F7FF stand
// for the bytes 0x80..0xFF. They lie in the private use area, outside every
// character the code page maps to.
constexpr char16_t kEscapeBase = 0xF700;

QString toUnicode(const Bytes &bytes);
// The number of bytes the character at bytes[i] takes when decoded (1 or 2):
// decoding bytes cut where one character ends and the next begins gives the
// same text as decoding them whole.
size_t characterLength(std::string_view bytes, size_t i);
// toUnicode(bytes) appended to out.
void appendUnicode(QString &out, std::string_view bytes);
Bytes fromUnicode(const QString &text);
Bytes fromUnicode(QStringView text);
// fromUnicode(text) appended to out.
void appendFromUnicode(Bytes &out, QStringView text);
// The same for text whose lines end in U+2029 (a text document's raw text):
// each of those ends is written as lineEnd.
void appendFromUnicodeLines(Bytes &out, QStringView text, std::string_view lineEnd);

// UTF-8 source literals to code-page bytes (for the program's own texts).
Bytes cp(const char *utf8);

// File names: code-page bytes <-> the file system's bytes. Every name the
// file system holds comes back from its code-page spelling, so a listed file
// always opens: bytesToFs(fsToBytes(n)) == n for every byte string n without
// "/" and NUL.
//
// The spelling, unit by unit from the left of the file-system name:
//  1. ASCII stands for itself.
//  2. A character the code page spells, with the variation selector
//     (U+FE00..U+FE02) behind it when that picks one of its other codes, is
//     written as its code, but only when that code decodes back to exactly
//     the same character and selector. This takes in the private use area
//     where the code page maps it: U+E000..U+E757 (lead bytes 0xF0..0xF9)
//     and U+F8F0..U+F8F3 (the single bytes 0xA0, 0xFD..0xFF).
//  3. Every other unit is escaped byte by byte: each byte of its UTF-8 form,
//     or the lone byte that does not start well-formed UTF-8, becomes 0x85 b
//     (b in 0x80..0xBF) or 0x86 b-0x40 (b in 0xC0..0xFF). This covers the
//     rest of the private use area, the placeholders U+F780..U+F7FF, a lone
//     variation selector, U+FEFF and every character outside the code page.
//  4. Only as a shortcut for names that came from code-page bytes: a
//     placeholder U+F780+b may be written as the raw byte b, when the whole
//     name then still spells back to itself; otherwise the name is spelled
//     again by 1-3 alone.
// Why 1-3 can always be read back: the reader goes left to right and takes
// 0x85/0x86 followed by 0x80..0xBF as an escape first. No code of the code
// page starts with 0x85 or 0x86, and every code written by 2 is a whole
// character whose single-byte forms (0x80, 0xA0..0xDF, 0xFD..0xFF) are never
// lead bytes, so no written unit can join the byte after it, and the reader
// splits the spelling at exactly the places it was joined. Raw bytes (4) are
// what can join a neighbour, which is why they are checked.
Bytes fsToBytes(const std::string &fsName);
std::string bytesToFs(const Bytes &name);
// bytesToFs(name) appended to out; a path converted in pieces split after a
// separator equals the path converted whole.
void appendBytesToFs(std::string &out, const Bytes &name);

} // namespace vb
