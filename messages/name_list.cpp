#include "messages/name_list.h"

#include <limits>
#include <stdexcept>

namespace vb {

void NameList::reserve(size_t names, size_t bytes) {
    starts_.reserve(names);
    bytes_.reserve(bytes);
}

void NameList::push_back(std::string_view name) {
    if (bytes_.size() > std::numeric_limits<uint32_t>::max() - name.size())
        throw std::length_error("the names of one folder pass 4 GiB");
    starts_.push_back(uint32_t(bytes_.size()));
    bytes_.append(name);
}

void NameList::clear() {
    Bytes().swap(bytes_);
    std::vector<uint32_t>().swap(starts_);
}

} // namespace vb
