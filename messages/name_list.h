#pragma once
// File names held end to end in one buffer, each found by where it starts.
// A list of 100,000 message names takes half the memory that as many
// strings of their own would.

#include "platform/codepage.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <vector>

namespace vb {

class NameList {
public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const NameList *list, size_t i) : list_(list), i_(i) {}
        std::string_view operator*() const { return (*list_)[i_]; }
        std::string_view operator[](difference_type n) const { return (*list_)[size_t(difference_type(i_) + n)]; }
        const_iterator &operator++() { return ++i_, *this; }
        const_iterator operator++(int) { return const_iterator(list_, i_++); }
        const_iterator &operator--() { return --i_, *this; }
        const_iterator operator--(int) { return const_iterator(list_, i_--); }
        const_iterator &operator+=(difference_type n) { return i_ = size_t(difference_type(i_) + n), *this; }
        const_iterator &operator-=(difference_type n) { return *this += -n; }
        const_iterator operator+(difference_type n) const { return const_iterator(*this) += n; }
        const_iterator operator-(difference_type n) const { return const_iterator(*this) -= n; }
        difference_type operator-(const const_iterator &o) const { return difference_type(i_) - difference_type(o.i_); }
        bool operator==(const const_iterator &o) const { return i_ == o.i_; }
        bool operator!=(const const_iterator &o) const { return i_ != o.i_; }
        bool operator<(const const_iterator &o) const { return i_ < o.i_; }

    private:
        const NameList *list_ = nullptr;
        size_t i_ = 0;
    };

    size_t size() const { return starts_.size(); }
    bool empty() const { return starts_.empty(); }
    std::string_view operator[](size_t i) const {
        const size_t end = i + 1 < starts_.size() ? starts_[i + 1] : bytes_.size();
        return std::string_view(bytes_).substr(starts_[i], end - starts_[i]);
    }
    std::string_view front() const { return (*this)[0]; }
    std::string_view back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

    // Room for this many names of this many bytes in all.
    void reserve(size_t names, size_t bytes);
    // Throws std::length_error once the names would pass 4 GiB in all.
    void push_back(std::string_view name);
    void clear();
    // Gives back the room reserved beyond the names held.
    void shrink_to_fit() {
        bytes_.shrink_to_fit();
        starts_.shrink_to_fit();
    }

    std::vector<Bytes> toVector() const { return std::vector<Bytes>(begin(), end()); }
    bool operator==(const NameList &o) const { return bytes_ == o.bytes_ && starts_ == o.starts_; }
    bool operator!=(const NameList &o) const { return !(*this == o); }

private:
    Bytes bytes_;
    std::vector<uint32_t> starts_;
};

} // namespace vb
