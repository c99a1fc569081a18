#pragma once
// Reading the ten-line header block at the top of a message file.

#include "messages/current_message.h"
#include "platform/codepage.h"
#include "platform/files.h"

#include <memory>

namespace vb {

// A header line keeps at most this many bytes (cut on a character boundary);
// the rest of the line is passed over.
constexpr size_t kHeaderLineLimit = size_t(64) * 1024;
// The header block is looked for in this many bytes at the start of a file;
// lines beyond them read empty, as past the end of the file.
constexpr size_t kHeaderScanLimit = size_t(1024) * 1024;

// Clears msg, then fills it from the first ten lines of the file at path (a
// bare name resolves against the listed directory).
//
// Lines end at CR (an LF right after it belongs to the break; a lone LF stays
// in the line); a byte 0x1A ends the file; lines past the end read empty.
// Each line is bounded as above, so memory stays small whatever the file.
// Line 1 goes to FirstLine unchanged and, in Log Mode, converted as a whole
// number to Number in five-digit form. Lines 2 to 10 fill the field whose key
// ("Title:", "Name :", ... or the same in lower case) makes up their first six
// bytes, with the bytes after the key; the last such line wins. FileName gets
// the part of path after its last separator.
//
// A file that cannot be opened or read raises the runtime's I/O failure; in
// Log Mode a number line that is not a whole number raises the conversion
// failure with the line's text. msg is left empty in both cases.
void readMessageHeader(const Bytes &path, bool logMode, CurrentMessage &msg);

// readMessageHeader for many files in a row, with one read buffer for all.
class HeaderReader {
public:
    HeaderReader();
    ~HeaderReader();
    HeaderReader(const HeaderReader &) = delete;
    HeaderReader &operator=(const HeaderReader &) = delete;

    // The file at fsPath (spelled as the file system spells it, see fsPath),
    // whose FileName is fileName; otherwise as readMessageHeader.
    void read(const std::string &fsPath, const Bytes &fileName, bool logMode, CurrentMessage &msg);
    // The file fsName (file-system spelling) of the held folder, one that its
    // listing found ordinary (see FileHandle::openIn); otherwise as read.
    void readIn(const FileHandle &folder, const std::string &fsName, const Bytes &fileName, bool logMode,
                CurrentMessage &msg);

private:
    void take(FileHandle &file, const Bytes &fileName, bool logMode, CurrentMessage &msg);

    std::unique_ptr<char[]> buf_; // never cleared: only the bytes read count
    Bytes line_;
};

} // namespace vb
