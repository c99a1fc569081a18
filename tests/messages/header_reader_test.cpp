#include "messages/header_reader.h"
#include "tests/common/alloc_meter.h"
#include "tests/common/tempdir.h"
#include "tests/messages/message_files.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using vb::Bytes;
using vb::CurrentMessage;
using vbtest::failureText;
using vbtest::put;

namespace {

class HeaderReader : public ::testing::Test {
protected:
    // Writes content to a file of the temporary directory and reads its header.
    CurrentMessage read(const std::string &content, bool logMode = true, const std::string &name = "KVX00012.TXT") {
        put(dir.file(name), content);
        CurrentMessage msg;
        vb::readMessageHeader(vb::fsToBytes(dir.file(name)), logMode, msg);
        return msg;
    }
    Bytes failure(const std::string &content, bool logMode = true) {
        put(dir.file("f.txt"), content);
        return failureText([&] {
            CurrentMessage msg;
            vb::readMessageHeader(vb::fsToBytes(dir.file("f.txt")), logMode, msg);
        });
    }
    vbtest::TempDir dir;
};

// A message whose every field is set, for checks that need a full one.
CurrentMessage filled() {
    CurrentMessage m;
    for (int i = 0; i < CurrentMessage::kFieldCount; ++i)
        m[i] = "x" + std::to_string(i);
    return m;
}

} // namespace

TEST_F(HeaderReader, ReadsTheTenLineBlock) {
    const CurrentMessage m = read("00012\r\nTitle:Hello\r\nName :Ann\r\nMail :a@example.com\r\n"
                                  "Http :http://example.com/\r\nDate :2001/04/03\r\n"
                                  "Next :0001300014\r\nBack :00007\r\n\r\n\r\nbody\r\n");
    EXPECT_EQ(m.Number, "00012");
    EXPECT_EQ(m.Title, "Hello");
    EXPECT_EQ(m.Name, "Ann");
    EXPECT_EQ(m.Mail, "a@example.com");
    EXPECT_EQ(m.Web, "http://example.com/");
    EXPECT_EQ(m.Date, "2001/04/03");
    EXPECT_EQ(m.NextLinks, "0001300014");
    EXPECT_EQ(m.BackLink, "00007");
    EXPECT_EQ(m.HeaderLine9, "");
    EXPECT_EQ(m.HeaderLine10, "");
    EXPECT_EQ(m.FileName, "KVX00012.TXT");
    EXPECT_EQ(m.FirstLine, "00012");
}

TEST_F(HeaderReader, LineBreakRules) {
    // CR alone ends a line; one LF after a CR belongs to the break; a lone LF
    // stays inside the line, and so does a second LF after CR LF.
    const CurrentMessage m = read("1\rTitle:a\nb\rName :n\r\r\nMail :m\r\n\nHttp :w\n\r"
                                  "Date :d\r\n");
    EXPECT_EQ(m.FirstLine, "1");
    EXPECT_EQ(m.Title, "a\nb");
    EXPECT_EQ(m.Name, "n");
    EXPECT_EQ(m.Mail, "m");
    EXPECT_EQ(m.Web, ""); // the line was "\nHttp :w\n"
    EXPECT_EQ(m.Date, "d");

    // An LF-only file is one long line.
    EXPECT_EQ(read("Title:x\nName :y\n", false).FirstLine, "Title:x\nName :y\n");
}

TEST_F(HeaderReader, EndOfFileMarkStopsReading) {
    const CurrentMessage m = read("1\r\nTitle:t\x1aName :n\r\nMail :m\r\n");
    EXPECT_EQ(m.Title, "t");
    EXPECT_EQ(m.Name, "");
    EXPECT_EQ(m.Mail, "");
    EXPECT_EQ(read("\x1a"
                   "12\r\n",
                   false)
                  .FirstLine,
              "");
}

TEST_F(HeaderReader, ShortFilesReadEmptyLines) {
    CurrentMessage m = read("7");
    EXPECT_EQ(m.Number, "00007");
    for (int i = CurrentMessage::kTitle; i <= CurrentMessage::kHeaderLine10; ++i)
        EXPECT_EQ(m[i], "") << i;
    EXPECT_EQ(m.FileName, "KVX00012.TXT");

    m = read("", false);
    EXPECT_EQ(m.FirstLine, "");
    EXPECT_EQ(m.Number, "");
}

TEST_F(HeaderReader, KeysAreExactSixBytes) {
    const CurrentMessage m = read("1\r\n"
                                  "TITLE:capitals\r\n"
                                  "Title :blank before colon\r\n"
                                  "Name:no blank\r\n"
                                  "title: Spring\r\n"
                                  "mail :lower\r\n"
                                  "Http :\r\n"
                                  "Date\r\n"
                                  "\r\n"
                                  "\r\n"
                                  "Name :on line 11\r\n");
    EXPECT_EQ(m.Title, " Spring");
    EXPECT_EQ(m.Mail, "lower");
    EXPECT_EQ(m.Web, "");
    EXPECT_EQ(m.Name, "");
    EXPECT_EQ(m.Date, "");
}

TEST_F(HeaderReader, LastKeyWinsWithinTenLines) {
    const CurrentMessage m = read("1\r\nTitle:first\r\n\r\n\r\n\r\n\r\n\r\n\r\nTitle:ninth\r\n"
                                  "Back :00003\r\nTitle:eleventh\r\n");
    EXPECT_EQ(m.Title, "ninth");
    EXPECT_EQ(m.BackLink, "00003"); // keys are read on line 10 too
    EXPECT_EQ(m.HeaderLine9, "");
}

TEST_F(HeaderReader, NumberLineInLogMode) {
    EXPECT_EQ(read("  12\r\n").Number, "00012");
    EXPECT_EQ(read("  12\r\n").FirstLine, "  12");
    EXPECT_EQ(read("-3\r\n").Number, "-00003");
    EXPECT_EQ(read("123456\r\n").Number, "123456");
    EXPECT_EQ(failure("12 \r\n"), vb::cp(u8"'12 ' は数値ではありません"));
    EXPECT_EQ(failure("\r\nTitle:t\r\n"), vb::cp(u8"'' は数値ではありません"));
    EXPECT_EQ(failure(""), vb::cp(u8"'' は数値ではありません"));
}

TEST_F(HeaderReader, TextModeConvertsNothingButReadsKeys) {
    const CurrentMessage m = read("12 \r\nTitle:t\r\n", false, "a.txt");
    EXPECT_EQ(m.Number, "");
    EXPECT_EQ(m.FirstLine, "12 ");
    EXPECT_EQ(m.Title, "t");
    EXPECT_EQ(m.FileName, "a.txt");
}

TEST_F(HeaderReader, FailuresLeaveTheRecordEmpty) {
    put(dir.file("bad.txt"), "x1\r\nTitle:t\r\n");
    CurrentMessage m = filled();
    EXPECT_THROW(vb::readMessageHeader(vb::fsToBytes(dir.file("bad.txt")), true, m), vb::RuntimeError);
    EXPECT_EQ(m, CurrentMessage());

    m = filled();
    EXPECT_EQ(failureText([&] { vb::readMessageHeader(vb::fsToBytes(dir.file("none.txt")), true, m); }),
              vb::cp(u8"I/O エラー (2)"));
    EXPECT_EQ(m, CurrentMessage());

    ::mkdir(dir.file("sub.txt").c_str(), 0755);
    EXPECT_EQ(failureText([&] { vb::readMessageHeader(vb::fsToBytes(dir.file("sub.txt")), false, m); }),
              vb::cp(u8"I/O エラー (5)"));
}

TEST_F(HeaderReader, BareNamesResolveAgainstTheWorkingDirectory) {
    put(dir.file("KVX00001.TXT"), "1\r\nTitle:here\r\n");
    vb::setWorkingDirectory(vb::fsToBytes(dir.path()));
    CurrentMessage m;
    vb::readMessageHeader("KVX00001.TXT", true, m);
    vb::setWorkingDirectory("");
    EXPECT_EQ(m.Title, "here");
    EXPECT_EQ(m.FileName, "KVX00001.TXT");
}

TEST_F(HeaderReader, BytesAreKeptExactly) {
    // Not valid in the code page: a lone lead byte, an unused lead byte, NUL.
    const Bytes odd("\x81\xff\x80\xa0\x00z\xfd\x82", 8);
    const CurrentMessage m = read("1\r\nTitle:" + odd + "\r\nName :" + vb::cp(u8"山田　花子") + "\r\n");
    EXPECT_EQ(m.Title, odd);
    EXPECT_EQ(m.Name, vb::cp(u8"山田　花子"));
}

TEST_F(HeaderReader, LinesBeyondTheFirstRead) {
    // A break whose CR ends the first 4 KiB and whose LF starts the next.
    Bytes title = "Title:" + Bytes(4096 - 3 - 6 - 1, 't');
    CurrentMessage m = read("1\r\n" + title + "\r\nName :n\r\n");
    EXPECT_EQ(m.Title.size(), 4096u - 3 - 6 - 1);
    EXPECT_EQ(m.Name, "n");

    // Lines longer than the first read, before and after the keys.
    const Bytes big(40000, 'm');
    m = read("1\r\nTitle:" + big + "\r\nName :n\r\n" + big +
             "\r\nDate :d\x1a"
             "Mail :x\r\n");
    EXPECT_EQ(m.Title, big);
    EXPECT_EQ(m.Name, "n");
    EXPECT_EQ(m.Date, "d");
    EXPECT_EQ(m.Mail, "");
}

TEST_F(HeaderReader, LongLinesKeepTheirStartOnACharacterBoundary) {
    const size_t limit = vb::kHeaderLineLimit;
    const Bytes kana = "\x82\xa0";
    Bytes doubles = "a"; // the limit falls inside a double-byte character
    while (doubles.size() < limit + 100)
        doubles += kana;
    const Bytes beyondScan(vb::kHeaderScanLimit, 'm');
    const struct {
        const char *what;
        Bytes content;
        Bytes firstLine;
        Bytes title;
    } cases[] = {
        {"at the limit", Bytes(limit, 'm') + "\r\nTitle:t", Bytes(limit, 'm'), "t"},
        {"one byte over", Bytes(limit + 1, 'm') + "\r\nTitle:t", Bytes(limit, 'm'), "t"},
        {"rest of the line passed over", Bytes(3 * limit, 'm') + "\r\nTitle:t", Bytes(limit, 'm'), "t"},
        {"character at the limit", doubles + "\r\nTitle:t", doubles.substr(0, limit - 1), "t"},
        {"long key line", "1\r\nTitle:" + Bytes(limit, 't') + "\r\n", "1", Bytes(limit - 6, 't')},
        {"header beyond the scan", beyondScan + "\r\nTitle:t", Bytes(limit, 'm'), ""},
    };
    for (const auto &c : cases) {
        const CurrentMessage m = read(c.content, false);
        EXPECT_EQ(m.FirstLine, c.firstLine) << c.what;
        EXPECT_EQ(m.Title, c.title) << c.what;
    }
}

TEST_F(HeaderReader, AHugeFileWithoutLineEndsIsReadInBoundedMemory) {
    // 16 GB with no line end, sparse: it takes no disk space.
    const std::string path = dir.file("huge.txt");
    put(path, "no line end ");
    ASSERT_EQ(::truncate(path.c_str(), 16ll << 30), 0);
    const Bytes firstLine = "no line end " + Bytes(vb::kHeaderLineLimit - 12, '\0');
    const Bytes notNumber = vb::cp(u8" は数値ではありません"); // builds the code-page tables before metering
    for (const bool logMode : {false, true}) {
        CurrentMessage m;
        Bytes failure;
        vbtest::AllocMeter meter(16 * vb::kHeaderLineLimit); // a larger allocation is refused
        EXPECT_NO_THROW(failure = failureText([&] { vb::readMessageHeader(vb::fsToBytes(path), logMode, m); }));
        EXPECT_LE(meter.largest(), 4 * vb::kHeaderLineLimit) << logMode;
        EXPECT_LE(meter.total(), 16 * vb::kHeaderLineLimit) << logMode;
        if (logMode) {
            EXPECT_EQ(failure, "'" + vb::quoteForError(firstLine) + "'" + notNumber);
        } else {
            EXPECT_EQ(failure, "<none>");
            EXPECT_EQ(m.FirstLine, firstLine);
        }
    }
}

TEST_F(HeaderReader, BinaryFileInTextMode) {
    Bytes content;
    unsigned v = 12345;
    for (int i = 0; i < 100000; ++i) {
        v = v * 1103515245u + 12345u;
        content.push_back(char(v >> 16));
    }
    put(dir.file("b.bin"), content);
    CurrentMessage m;
    EXPECT_NO_THROW(vb::readMessageHeader(vb::fsToBytes(dir.file("b.bin")), false, m));
    EXPECT_EQ(m.FirstLine, content.substr(0, content.find_first_of("\r\x1a")));
    EXPECT_EQ(m.FileName, "b.bin");
}
