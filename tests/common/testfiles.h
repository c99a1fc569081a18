#pragma once
// Reading and writing test files byte for byte, and the message files they
// hold.

#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace vbtest {

inline void putFile(const std::string &path, const std::string &content) {
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string getFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A Log Mode message file as the program writes it: the ten header lines,
// then the body.
inline std::string logMessage(const std::string &number, const std::string &title, const std::string &name = "Ann",
                              const std::string &next = "", const std::string &back = "",
                              const std::string &body = "Body line\r\n") {
    return number + "\r\nTitle:" + title + "\r\nName :" + name + "\r\nMail :a@example.com\r\nHttp :http://w/\r\n" +
           "Date :2001/01/01\r\nNext :" + next + "\r\nBack :" + back + "\r\n\r\n\r\n" + body;
}

// Whether anything stands at path (a dangling link counts).
inline bool exists(const std::string &path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// The names in a directory but "." and "..", sorted.
inline std::vector<std::string> listing(const std::string &dir) {
    std::vector<std::string> out;
    if (DIR *d = ::opendir(dir.c_str())) {
        while (dirent *e = ::readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                out.push_back(e->d_name);
        ::closedir(d);
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace vbtest
