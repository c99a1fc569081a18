#include "messages/search.h"

#include "messages/numbers.h"
#include "platform/files.h"

#include <algorithm>
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
    if (!logMode || index == 0 || index >= size_t(kHeaderLines))
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

// The most read at once, so that a cancel is seen between the pieces of a
// large file.
constexpr size_t kReadPiece = size_t(4) << 20;

// A plain text is first looked for in the whole file at once when the file
// is no larger than this; a larger one is searched line by line, where the
// cancel flag is seen.
constexpr size_t kWholeLookLimit = size_t(1) << 20;

bool cancelled(const std::atomic<bool> *cancel) { return cancel && cancel->load(std::memory_order_relaxed); }

// Reads a whole file of the held folder (a name its listing found) into
// buf[0, *size), growing buf as needed and never filling bytes it does not
// read into. ECANCELED when the cancel flag rose on the way.
bool readInto(const FileHandle &folder, const std::string &fsName, Bytes &buf, size_t &size, int &err,
              const std::atomic<bool> &cancel) {
    FileHandle f;
    size = 0;
    if (!f.openIn(folder, fsName.c_str(), &err))
        return false;
    if (buf.size() < 65536)
        buf.resize(65536);
    for (;;) {
        if (cancelled(&cancel)) {
            err = ECANCELED;
            return false;
        }
        if (size == buf.size()) {
            if (buf.size() >= kWholeFileLimit) {
                err = EFBIG;
                return false;
            }
            buf.resize(buf.size() * 2);
        }
        const ssize_t got = ::read(f.fd, &buf[size], std::min(buf.size() - size, kReadPiece));
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

bool searchContent(std::string_view content, bool logMode, const Matcher &matcher, MessageHits &out,
                   const std::atomic<bool> *stop) {
    out.lines.clear();
    out.tooComplex.clear();
    out.number.clear();
    out.title.clear();
    // A plain text never spans a line break: most messages are passed over
    // with one look at the whole file.
    if (!matcher.isRegex() && content.size() <= kWholeLookLimit && !matcher.contains(content))
        return false;
    forEachLine(content, [&](size_t index, size_t b, size_t e) {
        if (cancelled(stop))
            return false;
        const std::string_view line = content.substr(b, e - b);
        const size_t from = valueStart(logMode, index, line);
        if (from >= line.size())
            return true;
        bool gaveUp = false;
        std::vector<Hit> hits = matcher.findAll(line, &gaveUp, from, stop);
        if (gaveUp)
            out.tooComplex.push_back(index);
        if (!hits.empty())
            out.lines.push_back({index, Bytes(line), std::move(hits)});
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
    // The folder is held open and each file opened by its name in it: no
    // path is walked again for each file.
    FileHandle folder;
    int folderErr = 0;
    const bool folderOpen = folder.openFolderFs(fsPath(withSeparator(directory)), &folderErr);
    Bytes buf;
    std::string fsName;
    for (size_t k = 0; k < names.size(); ++k) {
        if (cancelled(&cancel)) {
            s.cancelled = true;
            break;
        }
        size_t size = 0;
        int err = folderErr;
        fsName.clear();
        appendBytesToFs(fsName, names[k]);
        if (!folderOpen || !readInto(folder, fsName, buf, size, err, cancel)) {
            if (err == ECANCELED) {
                s.cancelled = true;
                break;
            }
            if (err == ENOENT)
                ++s.vanished;
            else
                s.unreadable.push_back(names[k]);
        } else {
            ++s.searched;
            MessageHits m;
            const bool hit = searchContent(std::string_view(buf.data(), size), logMode, matcher, m, &cancel);
            for (const size_t line : m.tooComplex)
                s.addGaveUp(names[k], line);
            if (hit) {
                m.name = names[k];
                ++s.messages;
                s.hits += m.hitCount();
                if (found)
                    found(std::move(m));
            }
            if (cancelled(&cancel)) {
                s.cancelled = true; // the file may have been left part-way
                break;
            }
        }
        if (progress)
            progress(k + 1);
    }
    return s;
}

void SearchSummary::addGaveUp(const Bytes &name, size_t line) {
    if (tooComplex.size() < kGaveUpKept)
        tooComplex.push_back({name, line});
    ++tooComplexLines;
}

Bytes gaveUpText(const SearchSummary &s) {
    if (s.tooComplex.empty())
        return Bytes();
    const GaveUp &g = s.tooComplex.front();
    Bytes out =
        "pattern too complex at " + (g.name.empty() ? Bytes() : g.name + " ") + "line " + std::to_string(g.line + 1);
    const size_t more = s.tooComplexLines - 1;
    if (more == 0)
        return out + "; the rest of that line was not searched";
    return out + " and " + std::to_string(more) + (more == 1 ? " more line" : " more lines") +
           "; the rest of those lines was not searched";
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
    if (!s.tooComplex.empty())
        out += "; " + gaveUpText(s);
    if (s.cancelled)
        out += " (cancelled)";
    return out;
}

} // namespace vb
