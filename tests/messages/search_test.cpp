#include "messages/search.h"
#include "tests/common/tempdir.h"
#include "tests/messages/message_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>

using vb::Bytes;
using vbtest::logMessage;
using Names = std::vector<Bytes>;

namespace {

class SearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        vbtest::put(dir.file("KVX00001.TXT"),
                    logMessage("00001", "Weather", "Ann", "", "", "It rained.\r\nThe rain stopped; rain again.\r\n"));
        vbtest::put(dir.file("KVX00002.TXT"), logMessage("00002", "Rainbow", "Ann", "", "", "Colours.\r\n"));
        vbtest::put(dir.file("KVX00003.TXT"), logMessage("00003", "Title words", "Ann", "", "", "Nothing here.\r\n"));
        ::mkdir(dir.file("KVX00004.TXT").c_str(), 0755); // listed by name, cannot be read
        vbtest::put(dir.file("KVX00005.TXT"), logMessage("00005", "Late", "Ann", "", "", "rain\r\n"));
        matcher.compile("rain", false);
    }
    vb::SearchSummary run(const std::function<void(size_t)> &progress = nullptr) {
        found.clear();
        return vb::searchMessages(
            vb::fsToBytes(dir.path()), names, true, matcher, cancel,
            [this](vb::MessageHits &&m) { found.push_back(std::move(m)); }, progress);
    }
    Names foundNames() const {
        Names out;
        for (const auto &m : found)
            out.push_back(m.name);
        return out;
    }

    vbtest::TempDir dir;
    Names names{"KVX00001.TXT", "KVX00002.TXT", "KVX00003.TXT", "KVX00004.TXT", "KVX00005.TXT"};
    vb::Matcher matcher;
    std::atomic<bool> cancel{false};
    std::vector<vb::MessageHits> found;
};

} // namespace

TEST_F(SearchTest, FindsBodiesAndHeaderValuesAndNamesUnreadableFiles) {
    const vb::SearchSummary s = run();
    EXPECT_EQ(foundNames(), (Names{"KVX00001.TXT", "KVX00002.TXT", "KVX00005.TXT"}));
    // Message 1: body lines 11 and 12 (line indexes 10, 11), every hit of a line marked.
    ASSERT_EQ(found[0].lines.size(), 2u);
    EXPECT_EQ(found[0].number, "00001");
    EXPECT_EQ(found[0].title, "Weather");
    EXPECT_EQ(found[0].lines[0].line, 10u);
    EXPECT_EQ(found[0].lines[1].line, 11u);
    EXPECT_EQ(found[0].lines[1].text, "The rain stopped; rain again.");
    EXPECT_EQ(found[0].lines[1].hits, (std::vector<vb::Hit>{{4, 8}, {18, 22}}));
    // Message 2: the title value, matched in another case.
    ASSERT_EQ(found[1].lines.size(), 1u);
    EXPECT_EQ(found[1].lines[0].line, 1u);
    EXPECT_EQ(found[1].lines[0].hits, (std::vector<vb::Hit>{{6, 10}}));

    EXPECT_EQ(s.searched, 4u);
    EXPECT_EQ(s.hits, 5u);
    EXPECT_EQ(s.unreadable, (Names{"KVX00004.TXT"}));
    EXPECT_EQ(vb::summaryText(s), "5 hits in 3 messages; 1 file could not be read: KVX00004.TXT");
}

TEST_F(SearchTest, HeaderKeysAreNotSearched) {
    matcher.compile("title", false);
    run();
    EXPECT_EQ(foundNames(), (Names{"KVX00003.TXT"})) << "only the value \"Title words\" holds the text";
}

TEST_F(SearchTest, FilesThatVanishOrChangeDuringTheSearchAreTakenAsTheyStand) {
    const vb::SearchSummary s = run([this](size_t done) {
        if (done == 1) {
            std::remove(dir.file("KVX00002.TXT").c_str());
            vbtest::put(dir.file("KVX00003.TXT"), logMessage("00003", "Now rain", "Ann", "", "", ""));
        }
    });
    EXPECT_EQ(foundNames(), (Names{"KVX00001.TXT", "KVX00003.TXT", "KVX00005.TXT"}));
    EXPECT_EQ(s.vanished, 1u);
    EXPECT_EQ(s.unreadable, (Names{"KVX00004.TXT"})) << "a vanished file is no failure";
}

TEST_F(SearchTest, CancellingStopsBeforeTheNextFile) {
    const vb::SearchSummary s = run([this](size_t done) { cancel = done == 2; });
    EXPECT_TRUE(s.cancelled);
    EXPECT_EQ(s.searched, 2u);
    EXPECT_EQ(foundNames(), (Names{"KVX00001.TXT", "KVX00002.TXT"}));
    EXPECT_EQ(vb::summaryText(s), "4 hits in 2 messages (cancelled)");
}

TEST_F(SearchTest, ALineThePatternGivesUpOnIsNamedAndTheSearchGoesOn) {
    const std::string hopeless(25, 'a');
    vbtest::put(dir.file("KVX00002.TXT"),
                logMessage("00002", "x", "Ann", "", "", "ok\r\n" + hopeless + "!ax\r\nax\r\n"));
    vbtest::put(dir.file("KVX00003.TXT"),
                logMessage("00003", "x", "Ann", "", "", hopeless + "!ax\r\n" + hopeless + "!ax\r\n"));
    ASSERT_TRUE(matcher.compile("(a+)+x", true));
    vb::SearchSummary s = run();
    EXPECT_EQ(foundNames(), (Names{"KVX00002.TXT"})) << "the line after the one given up on is searched";
    EXPECT_EQ(s.tooComplexLines, 3u);
    EXPECT_EQ(vb::summaryText(s), "1 hit in 1 message; 1 file could not be read: KVX00004.TXT; pattern too complex at "
                                  "KVX00002.TXT line 12 and 2 more lines; the rest of those lines was not searched");
    names = {"KVX00003.TXT"};
    vbtest::put(dir.file("KVX00003.TXT"), logMessage("00003", "x", "Ann", "", "", "b\r\n" + hopeless + "!ax\r\n"));
    s = run();
    EXPECT_EQ(
        vb::summaryText(s),
        "0 hits in 0 messages; pattern too complex at KVX00003.TXT line 12; the rest of that line was not searched");
}
