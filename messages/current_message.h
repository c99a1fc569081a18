#pragma once
// The record of the message on view: its header fields, its file name and its
// first line as read.

#include "platform/codepage.h"

namespace vb {

struct CurrentMessage {
    // Field indexes, in record order.
    enum Field {
        kNumber,
        kTitle,
        kName,
        kMail,
        kWeb,
        kDate,
        kNextLinks,
        kBackLink,
        kHeaderLine9,
        kHeaderLine10,
        kFileName,
        kFirstLine,
        kFieldCount
    };

    Bytes Number;       // Log Mode: the number line in five-digit form
    Bytes Title;        // "Title:"
    Bytes Name;         // "Name :"
    Bytes Mail;         // "Mail :"
    Bytes Web;          // "Http :"
    Bytes Date;         // "Date :"
    Bytes NextLinks;    // "Next :"
    Bytes BackLink;     // "Back :"
    Bytes HeaderLine9;  // never filled by reading
    Bytes HeaderLine10; // never filled by reading
    Bytes FileName;     // name without directory (or a full path after Save As)
    Bytes FirstLine;    // line 1 exactly as read

    static constexpr int size() { return kFieldCount; }

    // index 0..11, in the order above.
    inline Bytes &operator[](int index);
    inline const Bytes &operator[](int index) const;
    inline void clear();
};

namespace detail {
inline constexpr Bytes CurrentMessage::*kMessageFields[CurrentMessage::kFieldCount] = {
    &CurrentMessage::Number,       &CurrentMessage::Title,    &CurrentMessage::Name,
    &CurrentMessage::Mail,         &CurrentMessage::Web,      &CurrentMessage::Date,
    &CurrentMessage::NextLinks,    &CurrentMessage::BackLink, &CurrentMessage::HeaderLine9,
    &CurrentMessage::HeaderLine10, &CurrentMessage::FileName, &CurrentMessage::FirstLine};
} // namespace detail

Bytes &CurrentMessage::operator[](int index) { return this->*detail::kMessageFields[index]; }

const Bytes &CurrentMessage::operator[](int index) const { return this->*detail::kMessageFields[index]; }

void CurrentMessage::clear() {
    for (auto field : detail::kMessageFields)
        (this->*field).clear();
}

inline bool operator==(const CurrentMessage &a, const CurrentMessage &b) {
    for (int i = 0; i < CurrentMessage::kFieldCount; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}
inline bool operator!=(const CurrentMessage &a, const CurrentMessage &b) { return !(a == b); }

} // namespace vb
