#pragma once
// A message to print: the given lines, title and name, and fixed values for
// the other header fields, the face and the date of printing.

#include "printing/page_printer.h"

#include <vector>

namespace vbtest {

inline vb::PrintContent printSample(std::vector<vb::Bytes> lines, const vb::Bytes &title, const vb::Bytes &name,
                                    bool logMode = true) {
    vb::PrintContent c;
    c.lines = std::move(lines);
    c.fontFace = vb::cp("ＭＳ ゴシック");
    c.fontPoints = 10;
    c.title = title;
    c.name = name;
    c.mail = "taro@example.com";
    c.web = "http://example.com/";
    c.date = "2001/01/01";
    c.fileName = "KVX00001.TXT";
    c.logMode = logMode;
    c.printedOn = "2001/02/03";
    return c;
}

} // namespace vbtest
