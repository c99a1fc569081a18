#include "messages/writer.h"

#include "messages/header_block.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace vb {

Bytes joinLines(const Lines &lines) {
    size_t total = 0;
    for (const Bytes &line : lines)
        total += line.size() + 2;
    Bytes out;
    out.reserve(total);
    for (const Bytes &line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void writeLines(const Bytes &path, const Lines &lines) {
    int err = 0;
    if (!writeFileAtomic(path, joinLines(lines), &err))
        failCannotCreate(path, err);
}

void appendLogHeader(const CurrentMessage &msg, Lines &lines) {
    lines.push_back(msg.Number);
    for (const HeaderKey &key : kHeaderKeys)
        lines.push_back(key.text + msg.*key.field);
    lines.push_back(msg.HeaderLine9);
    lines.push_back(msg.HeaderLine10);
}

Lines logHeaderLines(const CurrentMessage &msg) {
    Lines lines;
    lines.reserve(kHeaderLines);
    appendLogHeader(msg, lines);
    return lines;
}

} // namespace vb
