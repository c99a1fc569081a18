#include "messages/body_reader.h"

namespace vb {

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
