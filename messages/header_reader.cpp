#include "messages/header_reader.h"

#include "messages/header_block.h"
#include "messages/numbers.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/mbcs.h"

#include <algorithm>
#include <cerrno>

namespace vb {
namespace {

constexpr size_t kFirstRead = 4096;
constexpr size_t kNextReads = 65536;

// Hands out the lines at the start of a file, reading only as far as they
// reach: one small read covers the header of an ordinary message, and longer
// lines pull in further reads of one fixed size. A line keeps its first
// kHeaderLineLimit bytes; the rest of it is passed over. Nothing past the
// first kHeaderScanLimit bytes of the file is read: there the file counts as
// ended. The reads go into the caller's buffer of kNextReads bytes.
class LineReader {
public:
    LineReader(FileHandle &file, char *buf) : file_(file), buf_(buf) {}

    // The next line, cut to kHeaderLineLimit bytes on a character boundary.
    void next(Bytes &line) {
        line.clear();
        if (finished_)
            return;
        if (lfPending_) {
            lfPending_ = false;
            if (pos_ == size_ && !more()) {
                finished_ = true;
                return;
            }
            if (buf_[pos_] == '\n')
                ++pos_;
        }
        for (;;) {
            if (pos_ == size_ && !more()) {
                finished_ = true;
                break;
            }
            const char *p = buf_;
            const size_t n = size_;
            size_t stop = pos_;
            while (stop < n && p[stop] != '\r' && p[stop] != '\x1a')
                ++stop;
            // One byte past the limit shows whether the cut splits a character.
            const size_t room = kHeaderLineLimit + 1 - line.size();
            line.append(p + pos_, std::min(stop - pos_, room));
            if (stop < n) {
                pos_ = stop + 1;
                if (p[stop] == '\r')
                    lfPending_ = true;
                else
                    finished_ = true; // end-of-file mark: nothing after it counts
                break;
            }
            pos_ = n;
        }
        if (line.size() > kHeaderLineLimit)
            line.resize(mbcs::cutLength(line, kHeaderLineLimit));
    }

private:
    // Replaces the buffer with the next piece of the file; false at its end.
    bool more() {
        if (atEof_ || scanned_ >= kHeaderScanLimit)
            return false;
        pos_ = 0;
        size_ = 0;
        const size_t chunk = scanned_ == 0 ? kFirstRead : kNextReads;
        const long got = file_.read(buf_, std::min(chunk, kHeaderScanLimit - scanned_));
        if (got < 0)
            failIo(ioCodeFromErrno(errno), errno);
        if (got == 0)
            atEof_ = true;
        size_ = size_t(got > 0 ? got : 0);
        scanned_ += size_;
        return got > 0;
    }

    FileHandle &file_;
    char *buf_;
    size_t size_ = 0; // bytes in the buffer
    size_t pos_ = 0;
    size_t scanned_ = 0;     // bytes read from the file so far
    bool lfPending_ = false; // the last line ended at CR; skip one LF
    bool atEof_ = false;     // the file has no more bytes
    bool finished_ = false;  // end of file or 0x1A reached: only empty lines follow
};

// A line that starts with a key (or the key with its first letter in lower
// case) sets the key's field to the rest of the line.
void takeKeyedLine(const Bytes &line, CurrentMessage &msg) {
    if (line.size() < kHeaderKeyLength)
        return;
    for (const HeaderKey &key : kHeaderKeys) {
        const char first = key.text[0];
        if ((line[0] == first || line[0] == char(mbcs::foldLetter(static_cast<unsigned char>(first)))) &&
            line.compare(1, kHeaderKeyLength - 1, key.text + 1) == 0) {
            (msg.*key.field).assign(line, kHeaderKeyLength);
            return;
        }
    }
}

} // namespace

HeaderReader::HeaderReader() : buf_(new char[kNextReads]) {}

HeaderReader::~HeaderReader() = default;

void HeaderReader::read(const std::string &fsPath, const Bytes &fileName, bool logMode, CurrentMessage &msg) {
    msg.clear();
    FileHandle file;
    int err = 0;
    if (!file.openFs(fsPath, &err))
        failIo(ioCodeFromErrno(err), err);
    take(file, fileName, logMode, msg);
}

void HeaderReader::readIn(const FileHandle &folder, const std::string &fsName, const Bytes &fileName, bool logMode,
                          CurrentMessage &msg) {
    msg.clear();
    FileHandle file;
    int err = 0;
    if (!file.openIn(folder, fsName.c_str(), &err))
        failIo(ioCodeFromErrno(err), err);
    take(file, fileName, logMode, msg);
}

void HeaderReader::take(FileHandle &file, const Bytes &fileName, bool logMode, CurrentMessage &msg) {
    LineReader lines(file, buf_.get());
    Bytes &line = line_;
    try {
        lines.next(line);
        if (logMode)
            msg.Number = fiveDigit(wholeNumber(line));
        msg.FirstLine = line;

        for (int i = 2; i <= kHeaderLines; ++i) {
            lines.next(line);
            takeKeyedLine(line, msg);
        }
    } catch (...) {
        msg.clear(); // a read that fails half-way leaves nothing behind
        throw;
    }
    msg.FileName = fileName;
}

void readMessageHeader(const Bytes &path, bool logMode, CurrentMessage &msg) {
    HeaderReader().read(fsPath(path), baseName(path), logMode, msg);
}

} // namespace vb
