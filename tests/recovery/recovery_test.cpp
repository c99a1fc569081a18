// The recovery journal's parts: the record format, the folder, the locks
// between running programs, and the journal's writes and failures.

#include "recovery/recovery_journal.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "platform/files.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

using vb::Bytes;

namespace {

vb::RecoveryRecord sample() {
    vb::RecoveryRecord r;
    r.target = "/home/u/logs/KVX00012.TXT";
    r.identity = {true, 64769, 1234567, 42, 1700000000000000005};
    r.categoryTitle = vb::cp("ログ");
    r.logMode = true;
    r.writtenAt = 1765380000;
    // Line breaks, a NUL, an undecodable pair and the record's own last line inside the text.
    r.text = Bytes("00012\r\nend\n\0\x81\x7f tail\r\n", 22);
    return r;
}

TEST(RecoveryRecord, EncodesAndDecodesEveryFieldExactly) {
    const vb::RecoveryRecord r = sample();
    vb::RecoveryRecord back;
    std::string why;
    ASSERT_TRUE(vb::decodeRecord(vb::encodeRecord(r), back, &why)) << why;
    EXPECT_EQ(back.target, r.target);
    EXPECT_EQ(back.identity, r.identity);
    EXPECT_EQ(back.categoryTitle, r.categoryTitle);
    EXPECT_EQ(back.logMode, r.logMode);
    EXPECT_EQ(back.writtenAt, r.writtenAt);
    EXPECT_EQ(back.text, r.text);
}

TEST(RecoveryRecord, RefusesEveryCutAndEveryForeignFile) {
    const Bytes whole = vb::encodeRecord(sample());
    vb::RecoveryRecord r;
    for (size_t n = 0; n < whole.size(); ++n)
        EXPECT_FALSE(vb::decodeRecord(whole.substr(0, n), r)) << "cut at " << n;
    auto replaced = [&](const char *from, const char *to) {
        Bytes b = whole;
        b.replace(b.find(from), std::string(from).size(), to);
        return b;
    };
    const std::vector<std::pair<const char *, Bytes>> foreign = {
        {"other magic", replaced("VelbrookRecovery 1", "VelbrookRecovery 2")},
        {"data after the end", whole + "x"},
        {"length past the end", replaced("text 22", "text 99999999999")},
        {"number too large", replaced("inode 1234567", "inode 99999999999999999999")},
        {"relative target", replaced("target 25\n/home", "target 25\nXhome")},
        {"nanoseconds out of range", replaced(".000000005", ".9999999999")},
        {"plain text", "hello\r\n"},
    };
    for (const auto &[what, data] : foreign)
        EXPECT_FALSE(vb::decodeRecord(data, r)) << what;
}

TEST(RecoveryFolder, PerUserRunsFollowXdgStateHomePortableRunsTheSettingsFile) {
    struct Case {
        bool perUser;
        const char *xdg;
        const char *want;
    } cases[] = {
        {true, "/state", "/state/velbrook/recovery/"},
        {true, "relative", "/home/u/.config/velbrook/recovery/"},
        {true, nullptr, "/home/u/.config/velbrook/recovery/"},
        {false, "/state", "/home/u/.config/velbrook/recovery/"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(vb::recoveryFolder("/home/u/.config/velbrook/Velbrook.ini", c.perUser, c.xdg), c.want)
            << c.perUser << " " << (c.xdg ? c.xdg : "unset");
}

mode_t modeOf(const std::string &path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(RecoveryStore, WritesPrivatelyAndOffersOnlyFilesNoRunningProgramHolds) {
    vbtest::TempDir dir;
    const Bytes folder = vb::fsToBytes(dir.file("state/recovery/"));
    vb::RecoverySlot live;
    live.folder = folder;
    live.name = "live";
    ASSERT_TRUE(vb::writeRecovery(live, sample()));
    EXPECT_EQ(modeOf(vb::bytesToFs(live.recordPath())), 0600u);
    EXPECT_EQ(modeOf(vb::bytesToFs(folder)), 0700u);
    vbtest::putFile(vb::bytesToFs(folder) + "foreign.vbr", "not a record\n");

    std::vector<Bytes> notes;
    // The writer still holds its lock: nothing of it is offered.
    EXPECT_TRUE(vb::findRecoveries(folder, notes).empty());
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("foreign.vbr"), Bytes::npos);
    EXPECT_EQ(vbtest::getFile(vb::bytesToFs(folder) + "foreign.vbr"), "not a record\n");

    live.lock.release(); // the writer ended without removing it (a crash)
    notes.clear();
    std::vector<vb::FoundRecovery> found = vb::findRecoveries(folder, notes);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].record.text, sample().text);
    // Found means locked: a second look (another program) finds nothing.
    std::vector<Bytes> more;
    EXPECT_TRUE(vb::findRecoveries(folder, more).empty());
    vb::removeRecovery(*found[0].slot);
    EXPECT_EQ(vbtest::listing(vb::bytesToFs(folder)), std::vector<std::string>{"foreign.vbr"});
}

TEST(JournalBytes, AreTheLinesSaveWrites) {
    EXPECT_EQ(vb::journalBytes({"H\r\n", QString::fromUtf8("a\u2029\u3042\u2029")}),
              "H\r\na\r\n" + vb::cp("あ") + "\r\n\r\n");
    EXPECT_EQ(vb::journalBytes({"H\r\n", QString()}), "H\r\n");
}

// The journal of a text held in the fixture.
class Journal : public ::testing::Test, public vb::JournalSource {
protected:
    void SetUp() override {
        journal.setFolder(vb::fsToBytes(dir.file("recovery/")));
        journal.setIntervals(50, 200);
    }
    vb::JournalSnapshot journalSnapshot() const override { return vb::JournalSnapshot{Bytes(), text}; }
    Bytes recorded() {
        journal.waitIdle();
        vb::RecoveryRecord r;
        Bytes data;
        if (!vb::readWholeFile(journal.recordPath(), data) || !vb::decodeRecord(data, r))
            return "(none)";
        return r.text;
    }
    vbtest::TempDir dir;
    vb::RecoveryJournal journal;
    QString text = QStringLiteral("one");
};

TEST_F(Journal, WritesAfterThePauseAndWhileTypingGoesOn) {
    journal.start({"/t/a.txt", {}, "Cat", false}, *this);
    journal.changed();
    EXPECT_EQ(recorded(), "(none)") << "written before the pause";
    // The pause timer fires from the event loop: wait for it, not a fixed time.
    EXPECT_TRUE(QTest::qWaitFor([this] { return recorded() == "one\r\n"; }, 10000)) << recorded();
    // Typing without a pause: a change every 20 ms still writes within the longest wait.
    for (int i = 0; i < 20; ++i) {
        text = QString::number(i);
        journal.changed();
        QTest::qWait(20);
    }
    const Bytes during = recorded();
    EXPECT_NE(during, "one\r\n");
    EXPECT_NE(during, "(none)");
    const Bytes path = journal.recordPath();
    journal.discard();
    journal.waitIdle();
    EXPECT_FALSE(vb::fileExists(path));
    EXPECT_TRUE(vbtest::listing(dir.file("recovery/")).empty());
}

TEST_F(Journal, AFailureIsReportedOnceAndTheJournalGoesOn) {
    vbtest::putFile(dir.file("blocked"), "a file where the folder should be");
    journal.setFolder(vb::fsToBytes(dir.file("blocked/recovery/")));
    QSignalSpy failed(&journal, &vb::RecoveryJournal::writeFailed);
    journal.start({"/t/a.txt", {}, "Cat", false}, *this);
    journal.writeNow();
    journal.writeNow();
    journal.waitIdle();
    QTest::qWait(10);
    EXPECT_EQ(failed.size(), 1);
    EXPECT_TRUE(journal.active());
    EXPECT_EQ(vbtest::getFile(dir.file("blocked")), "a file where the folder should be");
}

} // namespace
