// The thread tree made of the links a title pass reads.

#include "messages/threads.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Msg {
    int number;
    const char *back, *next;
};

// The tree as an outline of numbers: roots in order, replies in brackets.
std::string outline(const vb::ThreadTree &t, const std::vector<Msg> &lines) {
    std::string out;
    std::function<void(int32_t)> visit = [&](int32_t j) {
        out += std::to_string(lines[size_t(j)].number);
        const int32_t first = t.childStart[size_t(j)], last = t.childStart[size_t(j) + 1];
        if (first == last)
            return;
        out += "[";
        for (int32_t i = first; i < last; ++i) {
            if (i > first)
                out += " ";
            EXPECT_EQ(t.parent[size_t(t.children[size_t(i)])], j);
            visit(t.children[size_t(i)]);
        }
        out += "]";
    };
    for (size_t r = 0; r < t.roots.size(); ++r) {
        if (r)
            out += " ";
        EXPECT_EQ(t.parent[size_t(t.roots[r])], -1);
        visit(t.roots[r]);
    }
    return out;
}

vb::ThreadLinks linksOf(const std::vector<Msg> &read) {
    vb::ThreadLinks links;
    for (const Msg &m : read)
        links.add(m.number, m.back, m.next);
    return links;
}

TEST(ThreadTree, LinkShapesGiveTheirTrees) {
    const struct {
        const char *shape;
        std::vector<Msg> lines; // in list order
        const char *tree;
    } cases[] = {
        {"plain chain", {{1, "", "00002"}, {2, "00001", "00003"}, {3, "00002", ""}}, "1[2[3]]"},
        {"fork, replies in number order",
         {{1, "", ""}, {3, "00001", ""}, {2, "00001", ""}, {4, "00002", ""}},
         "1[2[4] 3]"},
        {"back link to an unlisted message", {{2, "00001", ""}, {3, "00002", ""}}, "2[3]"},
        {"next links without back links", {{1, "", "0000300002"}, {2, "", ""}, {3, "", ""}}, "1[2 3]"},
        {"two messages claim one reply: the last in the list wins",
         {{1, "", "00003"}, {2, "", "00003"}, {3, "", ""}},
         "1 2[3]"},
        {"a back link outweighs a later claim", {{1, "", ""}, {2, "", "00003"}, {3, "00001", ""}}, "1[3] 2"},
        {"cycle of two, cut at the lowest number", {{2, "00001", ""}, {1, "00002", ""}}, "1[2]"},
        {"cycle of five with a branch",
         {{5, "00004", ""}, {3, "00007", ""}, {4, "00003", ""}, {6, "00005", ""}, {7, "00006", ""}, {8, "00005", ""}},
         "3[4[5[6[7] 8]]]"},
        {"cycle of next links", {{1, "", "00002"}, {2, "", "00001"}}, "1[2]"},
        {"self link", {{1, "00001", "00001"}, {2, "", ""}}, "1 2"},
        {"duplicate numbers: a link names the first line",
         {{1, "", ""}, {2, "00001", ""}, {2, "00001", ""}, {3, "00002", ""}},
         "1[2[3] 2]"},
        {"a line without a number answers, but is answered by none",
         {{-1, "00001", ""}, {1, "", ""}, {-1, "", ""}, {2, "-0001", ""}},
         "1[-1] -1 2"},
        {"links that do not read", {{1, "x", "00002zzzzz00003"}, {2, "", ""}, {3, "", ""}}, "1[2] 3"},
    };
    for (const auto &c : cases) {
        const vb::ThreadTree t = vb::ThreadTree::build(linksOf(c.lines), c.lines.size(), false);
        EXPECT_EQ(outline(t, c.lines), c.tree) << c.shape;
    }
}

// Lines put before one another (newest first): roots follow the list, replies
// still stand in number order; a pass that stopped keeps only its last lines.
TEST(ThreadTree, LinesLastFirstAndAStoppedPass) {
    const std::vector<Msg> read = {{1, "", ""}, {2, "00001", ""}, {3, "00001", ""}, {4, "", ""}};
    const vb::ThreadLinks links = linksOf(read);
    const vb::ThreadTree t = vb::ThreadTree::build(links, 4, true);
    EXPECT_EQ(outline(t, {read[3], read[2], read[1], read[0]}), "4 1[2 3]");

    const vb::ThreadTree tail = vb::ThreadTree::build(links, 2, true); // lines 4, 3
    EXPECT_EQ(outline(tail, {read[3], read[2]}), "4 3");
}

} // namespace
