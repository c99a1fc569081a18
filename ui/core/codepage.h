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
// toUnicode(bytes) appended to out.
void appendUnicode(QString &out, std::string_view bytes);
Bytes fromUnicode(const QString &text);
Bytes fromUnicode(QStringView text);
// fromUnicode(text) appended to out.
void appendFromUnicode(Bytes &out, QStringView text);

// UTF-8 source literals to code-page bytes (for the program's own texts).
Bytes cp(const char *utf8);

// File names: code-page bytes <-> the file system's bytes. Every name the
// file system holds comes back from its code-page spelling, so a listed file
// always opens: bytesToFs(fsToBytes(n)) == n. Characters the code page cannot
// spell, and bytes that are not UTF-8, are kept behind the lead bytes 0x85
// and 0x86, which the code page leaves unused.
Bytes fsToBytes(const std::string &fsName);
std::string bytesToFs(const Bytes &name);
// bytesToFs(name) appended to out; a path converted in pieces split after a
// separator equals the path converted whole.
void appendBytesToFs(std::string &out, const Bytes &name);

} // namespace vb
