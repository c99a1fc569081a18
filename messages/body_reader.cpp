#include "messages/body_reader.h"

namespace vb {

std::vector<std::string_view> splitLineViews(const Bytes &content) {
    std::vector<std::string_view> lines;
    const std::string_view all(content);
    const size_t n = all.size();
    size_t start = 0;
    while (start < n) {
        size_t end = all.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(all.substr(start));
            break;
        }
        lines.push_back(all.substr(start, end - start));
        start = end + 1;
        if (all[end] == '\r' && start < n && all[start] == '\n')
            ++start;
    }
    return lines;
}

Lines splitLines(const Bytes &content) {
    const std::vector<std::string_view> views = splitLineViews(content);
    return Lines(views.begin(), views.end());
}

} // namespace vb
