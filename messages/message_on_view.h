#pragma once
// The record of the message on view: what the load that put it on view
// found. Every command that writes, prints or deletes the message takes its
// target from here, never from the title list or another read of a header.

#include "messages/current_message.h"
#include "platform/file_identity.h"

namespace vb {

struct MessageOnView {
    // The file, as a full path; empty when no message is on view.
    Bytes path;
    // The header as the load read it. FileName is the name as listed, or the
    // full path Save As chose.
    CurrentMessage Current;
    // Whether the category was in Log Mode at the load: the memo then holds
    // the body without its ten header lines.
    bool logMode = false;
    // The file as the load (or the program's own last write of it) left it;
    // not present for a name chosen by Save As that nothing was read from.
    FileIdentity identity;
    // The version of the file whose body lines the memo's lines are, where
    // the user has not changed them since (Memo::appendLogicalText takes
    // those from it); not present when none is known. Set by the load and by
    // Save alone.
    FileIdentity bodyLines;
    // Whether the memo holds this file's text. Not so when the load stopped
    // at a faulty link after the header panel showed the message: the memo
    // then still shows what it showed before, which no write may take for
    // this file's text.
    bool textOnView = false;

    bool empty() const { return path.empty(); }
};

} // namespace vb
