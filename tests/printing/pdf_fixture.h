#pragma once
// A message to print with Japanese text, A4 paper, and the fonts the program
// uses.

#include "printing/page_printer.h"
#include "tests/common/tempdir.h"
#include "ui/widgets/controls.h"

#include <QPageLayout>
#include <QPageSize>
#include <gtest/gtest.h>

namespace vbtest {

inline vb::PrintContent japanese(int lines) {
    vb::PrintContent c;
    for (int i = 0; i < lines; ++i)
        c.lines.push_back(vb::cp("本文") + std::to_string(i) + vb::cp("行目です"));
    c.fontFace = vb::cp("ＭＳ ゴシック");
    c.fontPoints = 10;
    c.title = vb::cp("日本語の題名");
    c.name = vb::cp("山田太郎");
    c.mail = "taro@example.com";
    c.web = "http://example.com/";
    c.date = "2001/01/01";
    c.fileName = "KVX00001.TXT";
    c.logMode = true;
    c.printedOn = "2001/02/03";
    return c;
}

// A4 with margins of 10 points.
inline QPageLayout a4() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Point);
}

class PdfTest : public ::testing::Test {
protected:
    void SetUp() override { vb::installFontSubstitutes(); }
    TempDir dir;
};

} // namespace vbtest
