#include "messages/body_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <sys/stat.h>

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

bool LineStream::open(const Bytes &path, int *err, size_t maxBytes) {
    maxBytes_ = maxBytes;
    if (!file_.open(path, err))
        return false;
    struct stat st {};
    if (::fstat(file_.fd, &st) == 0 && uint64_t(st.st_size) > maxBytes) {
        if (err)
            *err = EFBIG;
        return false;
    }
    return true;
}

bool LineStream::next(std::vector<std::string_view> &lines, int *err) {
    lines.clear();
    if (err)
        *err = 0;
    buf_.erase(0, consumed_); // what is left is one unfinished line
    consumed_ = 0;
    while (!atEnd_) {
        const size_t scanFrom = buf_.size();
        const long got = file_.read(buf_, pieceSize_);
        if (got < 0 || (total_ += size_t(std::max(got, 0L))) > maxBytes_) {
            const int why = got < 0 ? errno : EFBIG;
            if (err)
                *err = why;
            buf_.clear();
            atEnd_ = true;
            return false;
        }
        if (got == 0) {
            atEnd_ = true;
            break;
        }
        const char *p = buf_.data();
        size_t start = consumed_;
        for (size_t i = scanFrom; i < buf_.size(); ++i) {
            const char c = p[i];
            if (pendingCr_) {
                pendingCr_ = false;
                if (c == '\n') {
                    start = i + 1;
                    continue;
                }
            }
            if (c == '\r' || c == '\n') {
                lines.emplace_back(p + start, i - start);
                start = i + 1;
                pendingCr_ = c == '\r';
            }
        }
        consumed_ = start;
        if (!lines.empty())
            return true;
    }
    // The file ended: an unfinished line is its last.
    if (consumed_ < buf_.size()) {
        lines.emplace_back(buf_.data() + consumed_, buf_.size() - consumed_);
        consumed_ = buf_.size();
    }
    return !lines.empty();
}

Lines splitLines(const Bytes &content) {
    const std::vector<std::string_view> views = splitLineViews(content);
    return Lines(views.begin(), views.end());
}

} // namespace vb
