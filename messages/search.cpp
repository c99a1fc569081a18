#include "messages/search.h"

#include "messages/numbers.h"
#include "ui/core/files.h"

#include <cerrno>
#include <unistd.h>

namespace vb {
namespace {

// Calls f(index, begin, end) for each line of content, split at CR LF, CR or
// LF as the memo splits it; stops when f returns false.
template <typename F>
void forEachLine(std::string_view content, F f) {
    const size_t n = content.size();
    size_t start = 0, index = 0;
    while (start < n) {
        size_t end = start;
        while (end < n && content[end] != '\r' && content[end] != '\n')
            ++end;
        if (!f(index++, start, end))
            return;
        if (end >= n)
            return;
        start = end + 1;
        if (content[end] == '\r' && start < n && content[start] == '\n')
            ++start;
    }
}

// Where the searched value of a line starts: after the six-byte key of a Log
// Mode header line ("Title:", "Name :" ...), else at its start.
size_t valueStart(bool logMode, size_t index, std::string_view line) {
    if (!logMode || index == 0 || index >= kHeaderLines)
        return 0;
    return line.size() >= 6 && line[5] == ':' ? 6 : 0;
}

std::string_view lineAt(std::string_view content, size_t wanted) {
    std::string_view out;
    forEachLine(content, [&](size_t index, size_t b, size_t e) {
        if (index == wanted)
            out = content.substr(b, e - b);
        return index < wanted;
    });
    return out;
}

// Reads a whole ordinary file into buf[0, *size), growing buf as needed and
// never filling bytes it does not read into.
bool readInto(const Bytes &path, Bytes &buf, size_t &size, int &err) {
    FileHandle f;
    size = 0;
    if (!f.open(path, &err))
        return false;
    if (buf.size() < 65536)
        buf.resize(65536);
    for (;;) {
        if (size == buf.size()) {
            if (buf.size() >= kWholeFileLimit) {
                err = EFBIG;
                return false;
            }
            buf.resize(buf.size() * 2);
        }
        const ssize_t got = ::read(f.fd, &buf[size], buf.size() - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            err = errno;
            return false;
        }
        if (got == 0)
            return true;
        size += size_t(got);
    }
}

} // namespace

size_t MessageHits::hitCount() const {
    size_t n = 0;
    for (const LineHit &l : lines)
        n += l.hits.size();
    return n;
}

bool searchContent(std::string_view content, bool logMode, const Matcher &matcher, MessageHits &out) {
    out.lines.clear();
    out.number.clear();
    out.title.clear();
    // A plain text never spans a line break: most messages are passed over
    // with one look at the whole file.
    if (!matcher.isRegex() && !matcher.contains(content))
        return false;
    forEachLine(content, [&](size_t index, size_t b, size_t e) {
        const std::string_view line = content.substr(b, e - b);
        const size_t from = valueStart(logMode, index, line);
        Hit h;
        if (from < line.size() && matcher.find(line, from, h)) {
            LineHit lh{index, Bytes(line), {}};
            do
                lh.hits.push_back(h); // hits are never empty: the next one starts after this one
            while (matcher.find(line, h.end, h));
            out.lines.push_back(std::move(lh));
        }
        return true;
    });
    if (out.lines.empty())
        return false;
    const std::string_view first = lineAt(content, 0);
    if (logMode) {
        int n = 0;
        out.number = tryWholeNumber(Bytes(first), n) ? fiveDigit(n) : Bytes(first);
        const std::string_view title = lineAt(content, 1);
        out.title = Bytes(title.substr(valueStart(true, 1, title)));
    } else
        out.title = Bytes(first);
    return true;
}

SearchSummary searchMessages(const Bytes &directory, const std::vector<Bytes> &names, bool logMode,
                             const Matcher &matcher, const std::atomic<bool> &cancel,
                             const std::function<void(MessageHits &&)> &found,
                             const std::function<void(size_t done)> &progress) {
    SearchSummary s;
    s.files = names.size();
    const Bytes dir = withSeparator(directory);
    Bytes buf;
    for (size_t k = 0; k < names.size(); ++k) {
        if (cancel.load(std::memory_order_relaxed)) {
            s.cancelled = true;
            break;
        }
        size_t size = 0;
        int err = 0;
        if (!readInto(dir + names[k], buf, size, err)) {
            if (err == ENOENT)
                ++s.vanished;
            else
                s.unreadable.push_back(names[k]);
        } else {
            ++s.searched;
            MessageHits m;
            if (searchContent(std::string_view(buf.data(), size), logMode, matcher, m)) {
                m.name = names[k];
                ++s.messages;
                s.hits += m.hitCount();
                if (found)
                    found(std::move(m));
            }
        }
        if (progress)
            progress(k + 1);
    }
    return s;
}

Bytes summaryText(const SearchSummary &s) {
    Bytes out = std::to_string(s.hits) + (s.hits == 1 ? " hit in " : " hits in ") + std::to_string(s.messages) +
                (s.messages == 1 ? " message" : " messages");
    if (!s.unreadable.empty()) {
        out += "; " + std::to_string(s.unreadable.size()) +
               (s.unreadable.size() == 1 ? " file could not be read: " : " files could not be read: ");
        for (size_t i = 0; i < s.unreadable.size(); ++i)
            out += (i ? ", " : "") + s.unreadable[i];
    }
    if (s.cancelled)
        out += " (cancelled)";
    return out;
}

} // namespace vb
