#include "messages/body_reader.h"
#include "messages/header_reader.h"
#include "messages/writer.h"
#include "tests/common/tempdir.h"
#include "tests/messages/message_files.h"
#include "platform/files.h"

#include <gtest/gtest.h>

using vb::Bytes;
using vb::CurrentMessage;
using vb::Lines;

TEST(Writer, WritesEveryLineWithCrLf) {
    vbtest::TempDir dir;
    const Bytes path = vb::fsToBytes(dir.file("out.txt"));
    vbtest::put(dir.file("out.txt"), "older and longer content");
    vb::writeLines(path, {"one", "", "\x83\x5c"});
    EXPECT_EQ(vbtest::get(dir.file("out.txt")), "one\r\n\r\n\x83\x5c\r\n");
    vb::writeLines(path, {});
    EXPECT_EQ(vbtest::get(dir.file("out.txt")), "");

    // Bare names go to the listed directory.
    vb::setWorkingDirectory(vb::fsToBytes(dir.path()));
    vb::writeLines("bare.txt", {"b"});
    vb::setWorkingDirectory("");
    EXPECT_EQ(vbtest::get(dir.file("bare.txt")), "b\r\n");
}

TEST(Writer, FailureNamesThePath) {
    vbtest::TempDir dir;
    const Bytes path = vb::fsToBytes(dir.file("no/such.txt"));
    EXPECT_EQ(vbtest::failureText([&] { vb::writeLines(path, {"x"}); }),
              vb::cp(u8"ファイル ") + path + vb::cp(u8" を作成できません"));
}

TEST(Writer, LogHeaderBlock) {
    CurrentMessage m;
    m.Number = "00012";
    m.Title = "abc";
    m.Name = " lead";
    m.NextLinks = "0001300014";
    m.HeaderLine9 = "nine";
    const Lines expected = {
        "00012", "Title:abc", "Name : lead", "Mail :", "Http :", "Date :", "Next :0001300014", "Back :", "nine", ""};
    EXPECT_EQ(vb::logHeaderLines(m), expected);
    Lines lines = {"before"};
    vb::appendLogHeader(m, lines);
    Lines behind = {"before"};
    behind.insert(behind.end(), expected.begin(), expected.end());
    EXPECT_EQ(lines, behind);
}

TEST(Writer, RoundTripThroughTheReader) {
    vbtest::TempDir dir;
    CurrentMessage m;
    m.Number = "00012";
    m.Title = " Spring " + vb::cp(u8"の山歩き");
    m.Name = vb::cp(u8"山田　花子");
    m.Mail = "hanako@example.com";
    m.Web = "http://example.com/~hanako/";
    m.Date = vb::cp(u8"2001/04/03 (火) 21:15");
    m.NextLinks = "000130001400015";
    m.BackLink = "00007";
    m.HeaderLine9 = "kept only in memory";
    m.HeaderLine10 = "this one too";
    m.FileName = "KVX00012.TXT";
    const Bytes odd("\x81\xff\x80\x00\xfd", 5); // bytes the code page cannot decode
    m.Mail += odd;

    Lines file = vb::logHeaderLines(m);
    const Lines body = {"Title:not a header", "", odd, "last"};
    file.insert(file.end(), body.begin(), body.end());
    vb::writeLines(vb::fsToBytes(dir.file(m.FileName)), file);

    CurrentMessage back;
    vb::readMessageHeader(vb::fsToBytes(dir.file(m.FileName)), true, back);
    CurrentMessage expected = m;
    expected.HeaderLine9.clear();
    expected.HeaderLine10.clear();
    expected.FirstLine = m.Number;
    EXPECT_EQ(back, expected);

    // The body comes back as written, after the ten header lines.
    Bytes content;
    ASSERT_TRUE(vb::readWholeFile(vb::fsToBytes(dir.file(m.FileName)), content));
    const Lines all = vb::splitLines(content);
    ASSERT_EQ(all.size(), 14u);
    EXPECT_EQ(Lines(all.begin() + 10, all.end()), body);
}
