// The sample collection must read cleanly and its links must agree.

#include "messages/file_list.h"
#include "messages/header_reader.h"
#include "messages/links.h"
#include "messages/naming.h"
#include "messages/numbers.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using vb::Bytes;

TEST(Samples, LogTextReadsAndLinksAgree) {
    vb::FileList list;
    list.setMask(vb::logModeMask("KVX", "TXT"));
    list.setDirectory(VELBROOK_SAMPLES_DIR "/logtext");
    ASSERT_GE(list.count(), 30u);

    std::map<int, vb::CurrentMessage> byNumber;
    for (const Bytes &name : list.names().toVector()) {
        vb::CurrentMessage m;
        vb::readMessageHeader(name, true, m);
        EXPECT_EQ(name.substr(3, 5), m.Number) << name;
        EXPECT_FALSE(m.Title.empty()) << name;
        byNumber[vb::wholeNumber(m.Number)] = m;
    }
    vb::setWorkingDirectory("");

    bool threaded = false;
    for (const auto &[number, m] : byNumber) {
        ASSERT_EQ(m.NextLinks.size() % 5, 0u) << number;
        for (int k = 1; k <= vb::nextLinkCount(m.NextLinks); ++k) {
            const int reply = vb::nextLink(m.NextLinks, k);
            ASSERT_TRUE(byNumber.count(reply)) << number << " -> " << reply;
            EXPECT_EQ(vb::backLinkNumber(byNumber[reply].BackLink), number);
            threaded |= k > 1;
        }
        if (!m.BackLink.empty()) {
            const int parent = vb::backLinkNumber(m.BackLink);
            ASSERT_TRUE(byNumber.count(parent)) << number;
            const Bytes &links = byNumber[parent].NextLinks;
            bool listed = false;
            for (int k = 1; k <= vb::nextLinkCount(links); ++k)
                listed |= vb::nextLink(links, k) == number;
            EXPECT_TRUE(listed) << number << " not among the replies of " << parent;
        }
    }
    EXPECT_TRUE(threaded) << "no message has several replies";
}
