#include "messages/threads.h"

#include "messages/links.h"
#include "platform/wholenumber.h"

#include <algorithm>

namespace vb {
namespace {

constexpr int kHighestNumber = 99999;

int linkNumber(std::string_view text) {
    int n = -1;
    return tryWholeNumber(text, n) && n >= 0 && n <= kHighestNumber ? n : -1;
}

} // namespace

void ThreadLinks::clear() {
    for (auto *v : {&number_, &back_, &next_})
        std::vector<int32_t>().swap(*v);
    std::vector<uint32_t>().swap(nextEnd_);
}

void ThreadLinks::reserve(size_t messages) {
    number_.reserve(messages);
    back_.reserve(messages);
    nextEnd_.reserve(messages);
}

void ThreadLinks::add(int number, const Bytes &backLink, const Bytes &nextLinks) {
    number_.push_back(number >= 0 && number <= kHighestNumber ? number : -1);
    back_.push_back(backLink.empty() ? -1 : linkNumber(backLink));
    const size_t pieces = std::min(nextLinks.size() / kNextLinkLength, size_t(kMaxNextLinks));
    for (size_t k = 0; k < pieces; ++k) {
        const int n = linkNumber(std::string_view(nextLinks).substr(k * kNextLinkLength, kNextLinkLength));
        if (n < 0)
            break;
        next_.push_back(n);
    }
    nextEnd_.push_back(uint32_t(next_.size()));
}

void ThreadLinks::addHeader(const CurrentMessage &header, const Bytes &titleLine) {
    int number = -1;
    if (titleLine.empty() || !tryWholeNumber(header.Number, number))
        number = -1;
    add(number, header.BackLink, header.NextLinks);
}

void ThreadLinks::addFrom(const ThreadLinks &other, size_t i) {
    number_.push_back(other.number_[i]);
    back_.push_back(other.back_[i]);
    const uint32_t from = i == 0 ? 0 : other.nextEnd_[i - 1];
    next_.insert(next_.end(), other.next_.begin() + from, other.next_.begin() + other.nextEnd_[i]);
    nextEnd_.push_back(uint32_t(next_.size()));
}

ThreadTree ThreadTree::build(const ThreadLinks &links, size_t lines, bool lastFirst) {
    ThreadTree t;
    const size_t n = std::min(lines, links.size());
    const size_t skip = links.size() - n;
    auto entry = [&](size_t j) { return skip + (lastFirst ? n - 1 - j : j); };
    auto numberOf = [&](size_t j) { return links.number_[entry(j)]; };

    // The line a number names: the first that carries it.
    std::vector<int32_t> lineOf(size_t(kHighestNumber) + 1, -1);
    for (size_t j = 0; j < n; ++j) {
        const int k = numberOf(j);
        if (k >= 0 && lineOf[size_t(k)] < 0)
            lineOf[size_t(k)] = int32_t(j);
    }

    t.parent.assign(n, -1);
    std::vector<bool> byBack(n, false);
    for (size_t j = 0; j < n; ++j) {
        const int b = links.back_[entry(j)];
        const int p = b >= 0 ? lineOf[size_t(b)] : -1;
        if (p >= 0 && size_t(p) != j) {
            t.parent[j] = p;
            byBack[j] = true;
        }
    }
    // Next links claim the lines no back link placed; the last claimer in
    // the list wins.
    for (size_t j = 0; j < n; ++j) {
        const size_t e = entry(j);
        for (uint32_t i = e ? links.nextEnd_[e - 1] : 0; i < links.nextEnd_[e]; ++i) {
            const int c = lineOf[size_t(links.next_[i])];
            if (c >= 0 && size_t(c) != j && !byBack[size_t(c)])
                t.parent[size_t(c)] = int32_t(j);
        }
    }

    // Circles: walk up from each line not yet settled; meeting a line of the
    // same walk closes a circle, cut at its lowest number.
    std::vector<uint8_t> state(n, 0); // 0 unseen, 1 on the walk, 2 settled
    std::vector<int32_t> walk;
    for (size_t s = 0; s < n; ++s) {
        walk.clear();
        int32_t v = int32_t(s);
        while (v >= 0 && state[size_t(v)] == 0) {
            state[size_t(v)] = 1;
            walk.push_back(v);
            v = t.parent[size_t(v)];
        }
        if (v >= 0 && state[size_t(v)] == 1) {
            int32_t lowest = v;
            for (int32_t u = t.parent[size_t(v)]; u != v; u = t.parent[size_t(u)])
                if (numberOf(size_t(u)) < numberOf(size_t(lowest)))
                    lowest = u;
            t.parent[size_t(lowest)] = -1;
        }
        for (int32_t u : walk)
            state[size_t(u)] = 2;
    }

    // Replies by parent, in number order (a tie by line).
    t.childStart.assign(n + 1, 0);
    for (size_t j = 0; j < n; ++j)
        if (t.parent[j] >= 0)
            ++t.childStart[size_t(t.parent[j]) + 1];
    for (size_t j = 0; j < n; ++j)
        t.childStart[j + 1] += t.childStart[j];
    t.children.resize(size_t(t.childStart[n]));
    std::vector<int32_t> fill(t.childStart.begin(), t.childStart.end() - 1);
    for (size_t j = 0; j < n; ++j) {
        if (t.parent[j] >= 0)
            t.children[size_t(fill[size_t(t.parent[j])]++)] = int32_t(j);
        else
            t.roots.push_back(int32_t(j));
    }
    auto before = [&](int32_t a, int32_t b) {
        const int na = numberOf(size_t(a)), nb = numberOf(size_t(b));
        return na != nb ? na < nb : a < b;
    };
    for (size_t j = 0; j < n; ++j) {
        const auto first = t.children.begin() + t.childStart[j], last = t.children.begin() + t.childStart[j + 1];
        if (last - first < 2 || std::is_sorted(first, last, before))
            continue;
        std::reverse(first, last); // a list in descending order gives them last first
        if (!std::is_sorted(first, last, before))
            std::sort(first, last, before);
    }
    return t;
}

} // namespace vb
