#pragma once
// The settings file's text held as sections of lines, so that a batch of
// reads and writes costs one parse and one serialisation however many values
// it touches. Sections are indexed by name; within a section, keys are found
// by hashes of their names taken once at parse time. Lines that no operation
// touches come out byte for byte as they went in.

#include "platform/codepage.h"

#include <cstdint>
#include <deque>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vb {

class ProfileDocument {
public:
    explicit ProfileDocument(Bytes text = Bytes());
    ProfileDocument(const ProfileDocument &) = delete;
    ProfileDocument &operator=(const ProfileDocument &) = delete;

    // The value of the first such key in the first section of that name,
    // trimmed of blanks but otherwise as it stands in the file. False when
    // the section or the key is missing.
    // The view lasts until the next change to the document.
    bool find(const Bytes &section, const Bytes &key, std::string_view &value) const;

    // Replaces the value of an existing key in place, or adds the key after
    // the last key line of its section, or appends a new section. A line end
    // in the value cuts it short: a value is one line.
    void set(const Bytes &section, const Bytes &key, const Bytes &value);

    // Removes the header and the key lines of the first section of that
    // name; comments and other lines stay where they are.
    void eraseSection(const Bytes &section);

    Bytes text() const;

private:
    enum class End : unsigned char { None, CrLf, Lf, Cr };
    struct Line {
        std::string_view text; // without its line end; into source_ or owned_
        long equals = -1;      // the "=" of a key line; -1 for any other line
        End end = End::CrLf;
    };
    struct KeyRef {
        uint64_t hash; // of the folded key name
        size_t line;   // in the section's body
    };
    struct Section {
        Line header;
        bool hasHeader = false; // false only for the lines before the first header
        bool erased = false;
        std::vector<Line> body;
        std::vector<KeyRef> keys; // key lines in file order
        size_t afterLastKey = 0;  // body position for a new key
    };

    void parse();
    void addLine(Line line);
    std::string_view own(Bytes text);
    const Section *findSection(const Bytes &name) const;
    Section *findSection(const Bytes &name);
    const KeyRef *findKey(const Section &s, const Bytes &key) const;
    static std::string_view keyName(const Line &line);
    static std::string_view valueOf(const Line &line);

    Bytes source_;
    std::deque<Bytes> owned_; // texts of lines that were added or rewritten
    std::vector<Section> sections_;
    std::unordered_map<Bytes, std::vector<size_t>> names_; // folded name -> live sections in file order
    // The last section looked up, by its name as asked: batches ask for the
    // same section many times in a row.
    mutable Bytes lastName_;
    mutable long lastSection_ = -2; // -2 nothing cached, -1 missing
};

} // namespace vb
