#pragma once
// A message to print with Japanese text, A4 paper, and the fonts the program
// uses.

#include "tests/common/tempdir.h"
#include "tests/printing/print_sample.h"
#include "ui/widgets/fonts.h"

#include <QPageLayout>
#include <QPageSize>
#include <gtest/gtest.h>

namespace vbtest {

inline vb::PrintContent japanese(int lines) {
    std::vector<vb::Bytes> text;
    for (int i = 0; i < lines; ++i)
        text.push_back(vb::cp("本文") + std::to_string(i) + vb::cp("行目です"));
    return printSample(std::move(text), vb::cp("日本語の題名"), vb::cp("山田太郎"));
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
