#pragma once
// Reading and writing test files byte for byte.

#include <fstream>
#include <iterator>
#include <string>

namespace vbtest {

inline void putFile(const std::string &path, const std::string &content) {
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string getFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace vbtest
