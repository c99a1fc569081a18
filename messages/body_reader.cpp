#include "messages/body_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/stat.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vb {
namespace {

// Where the next CR or LF at or after from lies; n when none does.
size_t nextBreak(const char *p, size_t from, size_t n) {
    size_t i = from;
#if defined(__SSE2__)
    // Sixteen bytes at a time.
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        if (hits)
            return i + size_t(__builtin_ctz(unsigned(hits)));
    }
#endif
    for (; i < n; ++i)
        if (p[i] == '\r' || p[i] == '\n')
            return i;
    return n;
}

} // namespace

bool BodyLines::readMore() {
    if (buf_.size() < held_ + pieceSize_)
        buf_.resize(held_ + pieceSize_);
    const long got = file_.read(&buf_[held_], pieceSize_);
    if (got <= 0) {
        atEnd_ = got == 0;
        failed_ = got < 0;
        return false;
    }
    held_ += size_t(got);
    return true;
}

bool BodyLines::append(size_t first, size_t end, std::string_view lineEnd, Bytes &out) {
    first += skip_;
    end += skip_;
    if (first < next_)
        failed_ = true;
    const size_t mark = out.size();
    size_t copyFrom = pos_; // from here to pos_, the bytes are as they are written
    size_t scan = pos_;     // no break lies between pos_ and scan
    bool begun = false;     // bytes of line next_ went before pos_
    while (!failed_ && next_ < end) {
        const char *p = buf_.data();
        const size_t e = nextBreak(p, scan, held_);
        // A CR is told from a CR LF by the byte after it.
        if (!atEnd_ && (e == held_ || (p[e] == '\r' && e + 1 == held_))) {
            // The bytes before e are the line's own, written as they are:
            // copied out when the line is taken, dropped when it is skipped;
            // what is left moves to the front before the next piece.
            if (next_ >= first)
                out.append(p + copyFrom, e - copyFrom);
            begun = begun || e > pos_;
            std::memmove(&buf_[0], p + e, held_ - e);
            held_ -= e;
            pos_ = copyFrom = scan = 0;
            readMore();
            continue;
        }
        if (pos_ >= held_ && !begun) {
            failed_ = true; // no line left
            break;
        }
        const size_t brk = e == held_ ? 0 : p[e] == '\r' && e + 1 < held_ && p[e + 1] == '\n' ? 2 : 1;
        const bool taken = next_ >= first;
        // A line skipped, or one whose break is not the line end, ends what
        // is copied as it is.
        if (!taken || brk == 0 || std::string_view(p + e, brk) != lineEnd) {
            if (taken) {
                out.append(p + copyFrom, e - copyFrom);
                out.append(lineEnd);
            }
            copyFrom = e + brk;
        }
        pos_ = scan = e + brk;
        begun = false;
        ++next_;
    }
    if (failed_) {
        out.resize(mark);
        return false;
    }
    out.append(buf_.data() + copyFrom, pos_ - copyFrom);
    return true;
}

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
