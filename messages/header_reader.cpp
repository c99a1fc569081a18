#include "messages/header_reader.h"

#include "messages/numbers.h"
#include "ui/core/errors.h"
#include "ui/core/files.h"

#include <cerrno>
#include <cstring>

namespace vb {
namespace {

constexpr size_t kFirstRead = 4096;
constexpr int kHeaderLines = 10;
constexpr size_t kKeyLength = 6;

struct Key {
    char text[kKeyLength + 1];
    Bytes CurrentMessage::*field;
};

const Key kKeys[] = {
    {"Title:", &CurrentMessage::Title},     {"title:", &CurrentMessage::Title},
    {"Name :", &CurrentMessage::Name},      {"name :", &CurrentMessage::Name},
    {"Mail :", &CurrentMessage::Mail},      {"mail :", &CurrentMessage::Mail},
    {"Http :", &CurrentMessage::Web},       {"http :", &CurrentMessage::Web},
    {"Date :", &CurrentMessage::Date},      {"date :", &CurrentMessage::Date},
    {"Next :", &CurrentMessage::NextLinks}, {"next :", &CurrentMessage::NextLinks},
    {"Back :", &CurrentMessage::BackLink},  {"back :", &CurrentMessage::BackLink},
};

// Hands out the lines at the start of a file, reading only as far as they
// reach: one small read covers the header of an ordinary message, and longer
// lines pull in further reads of growing size.
class LineReader {
public:
    LineReader(FileHandle &file, Bytes &buf) : file_(file), buf_(buf) {}

    // The next line as the byte range [begin, end) of the buffer.
    void next(size_t &begin, size_t &end) {
        if (finished_) {
            begin = end = pos_;
            return;
        }
        if (lfPending_) {
            lfPending_ = false;
            if (pos_ == buf_.size())
                more();
            if (pos_ < buf_.size() && buf_[pos_] == '\n')
                ++pos_;
        }
        size_t scan = pos_;
        for (;;) {
            const char *p = buf_.data();
            const size_t n = buf_.size();
            while (scan < n && p[scan] != '\r' && p[scan] != '\x1a')
                ++scan;
            if (scan < n) {
                begin = pos_;
                end = scan;
                if (p[scan] == '\r') {
                    pos_ = scan + 1;
                    lfPending_ = true;
                } else {
                    pos_ = scan; // end-of-file mark: nothing after it counts
                    finished_ = true;
                }
                return;
            }
            if (!more()) {
                begin = pos_;
                end = pos_ = n;
                finished_ = true;
                return;
            }
        }
    }

private:
    // Appends the next piece of the file; false at its end.
    bool more() {
        if (atEof_)
            return false;
        const size_t chunk = buf_.size() < kFirstRead ? kFirstRead : buf_.size();
        const long got = file_.read(buf_, chunk);
        if (got < 0)
            failIo(ioCodeFromErrno(errno));
        if (got == 0)
            atEof_ = true;
        return got > 0;
    }

    FileHandle &file_;
    Bytes &buf_;
    size_t pos_ = 0;
    bool lfPending_ = false; // the last line ended at CR; skip one LF
    bool atEof_ = false;     // the file has no more bytes
    bool finished_ = false;  // end of file or 0x1A reached: only empty lines follow
};

void takeKeyedLine(const char *line, size_t length, CurrentMessage &msg) {
    if (length < kKeyLength)
        return;
    for (const Key &key : kKeys) {
        if (std::memcmp(line, key.text, kKeyLength) == 0) {
            (msg.*key.field).assign(line + kKeyLength, length - kKeyLength);
            return;
        }
    }
}

} // namespace

void readMessageHeader(const Bytes &path, bool logMode, CurrentMessage &msg) {
    msg.clear();
    FileHandle file;
    int err = 0;
    if (!file.open(path, &err))
        failIo(ioCodeFromErrno(err));

    Bytes buf;
    buf.reserve(kFirstRead);
    LineReader lines(file, buf);
    size_t begin = 0, end = 0;
    try {
        lines.next(begin, end);
        Bytes first(buf, begin, end - begin);
        if (logMode)
            msg.Number = fiveDigit(wholeNumber(first));
        msg.FirstLine = std::move(first);

        for (int i = 2; i <= kHeaderLines; ++i) {
            lines.next(begin, end);
            takeKeyedLine(buf.data() + begin, end - begin, msg);
        }
    } catch (...) {
        msg.clear(); // a read that fails half-way leaves nothing behind
        throw;
    }
    msg.FileName = baseName(path);
}

} // namespace vb
