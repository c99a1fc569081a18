#include "messages/writer.h"

#include "ui/core/errors.h"
#include "ui/core/files.h"

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
    if (!writeFileAtomic(path, joinLines(lines)))
        failCannotCreate(path);
}

void appendLogHeader(const CurrentMessage &msg, Lines &lines) {
    lines.push_back(msg.Number);
    lines.push_back("Title:" + msg.Title);
    lines.push_back("Name :" + msg.Name);
    lines.push_back("Mail :" + msg.Mail);
    lines.push_back("Http :" + msg.Web);
    lines.push_back("Date :" + msg.Date);
    lines.push_back("Next :" + msg.NextLinks);
    lines.push_back("Back :" + msg.BackLink);
    lines.push_back(msg.HeaderLine9);
    lines.push_back(msg.HeaderLine10);
}

Lines logHeaderLines(const CurrentMessage &msg) {
    Lines lines;
    lines.reserve(10);
    appendLogHeader(msg, lines);
    return lines;
}

Lines splitLines(const Bytes &content) {
    Lines lines;
    const size_t n = content.size();
    size_t start = 0;
    while (start < n) {
        size_t end = content.find_first_of("\r\n", start);
        if (end == Bytes::npos) {
            lines.emplace_back(content, start, n - start);
            break;
        }
        lines.emplace_back(content, start, end - start);
        start = end + 1;
        if (content[end] == '\r' && start < n && content[start] == '\n')
            ++start;
    }
    return lines;
}

} // namespace vb
