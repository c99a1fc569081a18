#pragma once
// The ten-line header block at the top of a Log Mode message: line 1 is the
// number, lines 2 to 8 each hold a six-byte key joined directly to its field,
// lines 9 and 10 follow; the body starts at line 11.

#include "messages/current_message.h"

#include <cstddef>

namespace vb {

constexpr int kHeaderLines = 10;
constexpr size_t kHeaderKeyLength = 6;

struct HeaderKey {
    char text[kHeaderKeyLength + 1];
    Bytes CurrentMessage::*field;
};

// The keys of lines 2 to 8, in line order, as the writers spell them. The
// reader also takes each with its first letter in lower case ("title:").
inline constexpr HeaderKey kHeaderKeys[] = {
    {"Title:", &CurrentMessage::Title},    {"Name :", &CurrentMessage::Name}, {"Mail :", &CurrentMessage::Mail},
    {"Http :", &CurrentMessage::Web},      {"Date :", &CurrentMessage::Date}, {"Next :", &CurrentMessage::NextLinks},
    {"Back :", &CurrentMessage::BackLink},
};

} // namespace vb
