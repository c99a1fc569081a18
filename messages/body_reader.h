#pragma once
// Reading a loaded message file as the lines of its text.

#include "messages/lines.h"
#include "platform/files.h"

#include <string_view>

namespace vb {

// The lines of a whole file: split at CR LF, CR or LF; a line break at the
// very end makes no empty line after it. All other bytes are kept as they are.
Lines splitLines(const Bytes &content);
// The same lines as views into content.
std::vector<std::string_view> splitLineViews(const Bytes &content);

// The lines of a file as splitLines gives them, read again a piece at a time
// and copied out a run at a time, each followed by a line end of the
// caller's: a stretch whose breaks are already that line end is copied
// whole. For writing a loaded body again; only the piece being copied is held.
class BodyLines {
public:
    // The file's first skip lines are not counted.
    explicit BodyLines(size_t skip, size_t pieceSize = size_t(256) << 10) : skip_(skip), pieceSize_(pieceSize) {}

    bool open(const Bytes &path, int *err = nullptr) { return file_.open(path, err); }
    // Appends lines first..end-1, each followed by lineEnd, to out. Runs are
    // taken in rising order; false, with out as it was, when the file holds
    // fewer lines, a read fails or first lies before a line already taken,
    // and for every run after that.
    bool append(size_t first, size_t end, std::string_view lineEnd, Bytes &out);

private:
    // Reads the next piece behind the bytes held; false at the end of the
    // file (atEnd_) or when the read fails.
    bool readMore();

    FileHandle file_;
    size_t skip_;
    size_t pieceSize_;
    Bytes buf_;          // bytes read and not yet passed
    size_t held_ = 0;    // of buf_'s size
    size_t pos_ = 0;     // where line next_ starts in buf_
    size_t next_ = 0;    // counted from the file's first line
    bool atEnd_ = false; // the file was read to its end
    bool failed_ = false;
};

// The lines of a file as splitLines gives them, read a piece at a time: only
// the piece and the line it ends inside are held at once, so a large file
// costs the reader little beside whatever keeps its lines.
class LineStream {
public:
    explicit LineStream(size_t pieceSize = size_t(256) << 10) : pieceSize_(pieceSize) {}

    // Opens the file; false with *err set as readWholeFile sets it, EFBIG
    // for a file that says it is larger than maxBytes.
    bool open(const Bytes &path, int *err, size_t maxBytes);
    // The next lines, at least one, as views that stay valid until the next
    // call. False when no line is left, *err then 0; or when a read fails or
    // the file has grown past maxBytes meanwhile, *err then says why.
    bool next(std::vector<std::string_view> &lines, int *err);

private:
    FileHandle file_;
    size_t pieceSize_;
    size_t maxBytes_ = 0;
    size_t total_ = 0;       // bytes read so far
    Bytes buf_;              // the line being read, and what follows it
    size_t consumed_ = 0;    // bytes of buf_ handed out already
    bool pendingCr_ = false; // the last break was a CR: an LF next belongs to it
    bool atEnd_ = false;
};

} // namespace vb
