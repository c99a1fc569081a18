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

// The lines of a file as splitLines gives them, read a piece at a time: only
// the piece and the line it ends inside are held at once, so a large file
// costs the reader little beside whatever keeps its lines.
class LineStream {
public:
    explicit LineStream(size_t pieceSize = size_t(256) * 1024) : pieceSize_(pieceSize) {}

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
