// Files no message should be: the browser lists and shows a folder holding
// each of them, as a user would step through it. The program stays up, the
// memory its readers take stays bounded, a file that cannot be read is
// reported with the runtime's text, and no file on disk changes.

#include "messages/header_reader.h"
#include "tests/browser/browser_fixture.h"
#include "tests/common/alloc_meter.h"
#include "tests/common/failures.h"

#include <QTest>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

using namespace vbtest;
using vb::Bytes;

namespace {

// What stands at each path of a folder: the kind, size and time of change,
// and the bytes of small ordinary files.
std::map<std::string, std::string> folderState(const std::string &folder) {
    std::map<std::string, std::string> state;
    for (const std::string &name : listing(folder)) {
        struct stat st;
        const std::string path = folder + name;
        if (::lstat(path.c_str(), &st) != 0)
            continue;
        std::string entry = std::to_string(st.st_mode) + "/" + std::to_string(st.st_size) + "/" +
                            std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
        if (S_ISREG(st.st_mode) && st.st_size < (1 << 20))
            entry += "/" + getFile(path);
        state[name] = entry;
    }
    return state;
}

bool isRuntimeText(const Bytes &text) {
    for (const char *part : {"I/O エラー (", "は開けません", "は数値ではありません"})
        if (text.find(vb::cp(part)) != Bytes::npos)
            return true;
    return false;
}

void sparse(const std::string &path, const std::string &start, long long size) {
    putFile(path, start);
    ASSERT_EQ(::truncate(path.c_str(), size), 0);
}

} // namespace

// The largest single allocation a small folder may cause: the title list's
// index from message number to line is a fixed table of about 440 KB.
constexpr size_t kSmall = 512 << 10;

class HostileFiles : public BrowserTest {};

TEST_F(HostileFiles, TheBrowserStepsThroughEachAndStaysUp) {
    const std::string utf8Invalid = "bad\xff\xfe name.txt";
    const std::string privateUse = "\xee\x80\x80\xef\xa3\xbf.txt"; // U+E000 U+F8FF
    const struct Case {
        const char *what;
        std::function<void(const std::string &folder)> make;
        size_t titles;     // lines of the title list
        const char *error; // part of the one error expected, or null for none
        size_t largest;    // the largest allocation the readers may make
        std::function<void(const std::string &folder)> between = nullptr; // after listing, before stepping
    } cases[] = {
        {"0 bytes", [](const std::string &f) { putFile(f + "empty.txt", ""); }, 1, nullptr, kSmall},
        {"binary",
         [](const std::string &f) {
             std::string b;
             for (int i = 0; i < 70000; ++i)
                 b.push_back(char((i * 7919) & 0xFF));
             putFile(f + "binary.txt", b);
         },
         1, nullptr, 1 << 20},
        {"NUL bytes", [](const std::string &f) { putFile(f + "nul.txt", std::string("a\0b\r\n\0\0\r\n", 8)); }, 1,
         nullptr, kSmall},
        {"100 MB first line without a line end", [](const std::string &f) { sparse(f + "huge.txt", "x", 100 << 20); },
         1, "は開けません", 1 << 20},
        {"10 MB single line", [](const std::string &f) { putFile(f + "long.txt", std::string(10 << 20, 'w')); }, 1,
         nullptr, 20 << 20},
        {"CR-only and LF-only line ends",
         [](const std::string &f) {
             putFile(f + "cr.txt", "one\rtwo\rthree\r");
             putFile(f + "lf.txt", "one\ntwo\nthree\n");
         },
         2, nullptr, kSmall},
        {"0x1A in the header", [](const std::string &f) { putFile(f + "eof.txt", "first\r\nTitle:a\x1a\r\nrest\r\n"); },
         1, nullptr, kSmall},
        {"name not UTF-8", [utf8Invalid](const std::string &f) { putFile(f + utf8Invalid, "text\r\n"); }, 1, nullptr,
         kSmall},
        {"name with private-use characters",
         [privateUse](const std::string &f) { putFile(f + privateUse, "text\r\n"); }, 1, nullptr, kSmall},
        {"FIFO", [](const std::string &f) { ASSERT_EQ(::mkfifo((f + "pipe.txt").c_str(), 0644), 0); }, 0, nullptr,
         kSmall},
        {"symbolic-link loop",
         [](const std::string &f) { ASSERT_EQ(::symlink("loop.txt", (f + "loop.txt").c_str()), 0); }, 0, nullptr,
         kSmall},
        {"folder named like a message", [](const std::string &f) { ::mkdir((f + "KVX00001.TXT").c_str(), 0755); }, 0,
         nullptr, kSmall},
        {"file gone between listing and reading",
         [](const std::string &f) {
             putFile(f + "a.txt", "stays\r\n");
             putFile(f + "b.txt", "goes\r\n");
         },
         2, "I/O エラー (2)", kSmall, [](const std::string &f) { std::remove((f + "b.txt").c_str()); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string &name : listing(msgDir()))
            std::remove((msgDir() + name).c_str()); // folders too
        c.make(msgDir());
        category("Text Mode", "Ascending Order", "Title Text=Text Line\r\n");
        browser = std::make_unique<vb::TF1>(*settings);
        browser->setHost(&host);
        dialogs->log.clear();
        const auto before = folderState(msgDir());
        size_t largest = 0;
        {
            AllocMeter meter;
            browser->DefaultRead();
            EXPECT_EQ(size_t(ui().LB_Title->count()), c.titles);
            if (c.between)
                c.between(msgDir());
            // Every title in turn, as the user steps down the list.
            ui().LB_Title->setFocus();
            for (size_t i = 1; i < c.titles; ++i)
                QTest::keyClick(ui().LB_Title, Qt::Key_Down);
            largest = meter.largest();
        }
        EXPECT_LE(largest, c.largest);
        const std::vector<Bytes> errors = dialogs->errors();
        if (c.error) {
            ASSERT_EQ(errors.size(), 1u);
            EXPECT_NE(errors[0].find(vb::cp(c.error)), Bytes::npos) << errors[0];
        } else {
            EXPECT_EQ(errors, std::vector<Bytes>{});
        }
        for (const Bytes &e : errors)
            EXPECT_TRUE(isRuntimeText(e)) << e;
        EXPECT_TRUE(browser->isVisible());
        if (c.between == nullptr) {
            EXPECT_EQ(folderState(msgDir()), before) << "a file changed";
        }
        // Read as a Log Mode message, each reports itself as no message.
        for (const std::string &name : listing(msgDir())) {
            AllocMeter meter(4 << 20); // a larger allocation is refused
            const Bytes text = failureText([&] {
                vb::CurrentMessage msg;
                vb::readMessageHeader(vb::fsToBytes(msgDir() + name), true, msg);
            });
            EXPECT_TRUE(isRuntimeText(text)) << name << ": " << text;
        }
    }
}
