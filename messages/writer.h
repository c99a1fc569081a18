#pragma once
// Writing message files.

#include "messages/current_message.h"
#include "messages/lines.h"

namespace vb {

// Every line followed by CR LF, the last one included.
Bytes joinLines(const Lines &lines);

// Writes the lines as the whole new content of the file at path (a bare name
// resolves against the listed directory), through a temporary file so that a
// failed write leaves the old content in place. A failure raises the
// runtime's "cannot create" failure with path.
void writeLines(const Bytes &path, const Lines &lines);

// The ten-line Log Mode header block: the number line, the seven keys each
// joined directly to its field, then HeaderLine9 and HeaderLine10.
Lines logHeaderLines(const CurrentMessage &msg);

// Appends the ten header lines to lines.
void appendLogHeader(const CurrentMessage &msg, Lines &lines);

} // namespace vb
