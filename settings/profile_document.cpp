#include "settings/profile_document.h"

#include "settings/textscan.h"

#include <algorithm>

namespace vb {
namespace {

using textscan::isBlank;

const char *endBytes(int end) {
    static const char *const kEnds[] = {"", "\r\n", "\n", "\r"};
    return kEnds[end];
}

} // namespace

ProfileDocument::ProfileDocument(Bytes text) : source_(std::move(text)) {
    sections_.emplace_back(); // the lines before the first header
    parse();
}

void ProfileDocument::parse() {
    const std::string_view text = source_;
    const size_t n = text.size();
    size_t pos = 0;
    while (pos < n) {
        size_t stop = pos;
        while (stop < n && text[stop] != '\r' && text[stop] != '\n')
            ++stop;
        Line line;
        line.text = text.substr(pos, stop - pos);
        if (stop == n) {
            line.end = End::None;
            pos = n;
        } else if (text[stop] == '\r' && stop + 1 < n && text[stop + 1] == '\n') {
            line.end = End::CrLf;
            pos = stop + 2;
        } else {
            line.end = text[stop] == '\r' ? End::Cr : End::Lf;
            pos = stop + 1;
        }
        addLine(line);
    }
}

void ProfileDocument::addLine(Line line) {
    const std::string_view s = line.text;
    size_t start = 0;
    while (start < s.size() && isBlank(s[start]))
        ++start;
    if (start < s.size() && s[start] == '[') {
        // Header: the name runs to the first "]" that is not the second byte
        // of a double-byte character, or to the end of the line.
        size_t close = start + 1;
        while (close < s.size() && s[close] != ']')
            close += textscan::charLength(s, close);
        close = std::min(close, s.size());
        const std::string_view name = textscan::trimBlanks(s.substr(start + 1, close - start - 1));
        names_[textscan::foldName(name)].push_back(sections_.size());
        Section section;
        section.hasHeader = true;
        section.header = line;
        sections_.push_back(std::move(section));
        return;
    }
    Section &section = sections_.back();
    if (start < s.size() && s[start] != ';') {
        // "=" never occurs inside a double-byte character.
        const size_t eq = s.find('=', start);
        if (eq != std::string_view::npos) {
            line.equals = long(eq);
            section.keys.push_back({textscan::foldedHash(keyName(line)), section.body.size()});
            section.afterLastKey = section.body.size() + 1;
        }
    }
    section.body.push_back(line);
}

std::string_view ProfileDocument::own(Bytes text) {
    owned_.push_back(std::move(text));
    return owned_.back();
}

std::string_view ProfileDocument::keyName(const Line &line) {
    return textscan::trimBlanks(line.text.substr(0, size_t(line.equals)));
}

std::string_view ProfileDocument::valueOf(const Line &line) {
    return textscan::trimBlanks(line.text.substr(size_t(line.equals) + 1));
}

const ProfileDocument::Section *ProfileDocument::findSection(const Bytes &name) const {
    if (lastSection_ == -2 || name != lastName_) {
        auto it = names_.find(textscan::foldName(name));
        lastName_ = name;
        lastSection_ = it == names_.end() || it->second.empty() ? -1 : long(it->second.front());
    }
    return lastSection_ < 0 ? nullptr : &sections_[size_t(lastSection_)];
}

ProfileDocument::Section *ProfileDocument::findSection(const Bytes &name) {
    return const_cast<Section *>(static_cast<const ProfileDocument *>(this)->findSection(name));
}

const ProfileDocument::KeyRef *ProfileDocument::findKey(const Section &s, const Bytes &key) const {
    const uint64_t hash = textscan::foldedHash(key);
    for (const KeyRef &ref : s.keys)
        if (ref.hash == hash && textscan::sameName(keyName(s.body[ref.line]), key))
            return &ref;
    return nullptr;
}

bool ProfileDocument::find(const Bytes &section, const Bytes &key, std::string_view &value) const {
    const Section *s = findSection(section);
    const KeyRef *ref = s ? findKey(*s, key) : nullptr;
    if (!ref)
        return false;
    value = valueOf(s->body[ref->line]);
    return true;
}

void ProfileDocument::set(const Bytes &section, const Bytes &key, const Bytes &rawValue) {
    const std::string_view value = std::string_view(rawValue).substr(0, rawValue.find_first_of("\r\n"));
    Section *s = findSection(section);
    if (!s) {
        names_[textscan::foldName(section)].push_back(sections_.size());
        Section added;
        added.body.reserve(24);
        added.hasHeader = true;
        added.header.text = own("[" + section + "]");
        sections_.push_back(std::move(added));
        s = &sections_.back();
        lastSection_ = -2;
    }
    if (const KeyRef *ref = findKey(*s, key)) {
        // A line that already holds the value keeps its spacing.
        Line &line = s->body[ref->line];
        if (valueOf(line) == value)
            return;
        const std::string_view spelled = keyName(line);
        line.equals = long(spelled.size());
        Bytes text;
        text.reserve(spelled.size() + 1 + value.size());
        text.append(spelled).append(1, '=').append(value);
        line.text = own(std::move(text));
        return;
    }
    Line line;
    line.equals = long(key.size());
    Bytes text;
    text.reserve(key.size() + 1 + value.size());
    text.append(key).append(1, '=').append(value);
    line.text = own(std::move(text));
    // Only lines that hold no key follow the last key line, so the lines
    // that the key references point to do not move.
    s->body.insert(s->body.begin() + long(s->afterLastKey), line);
    s->keys.push_back({textscan::foldedHash(key), s->afterLastKey});
    ++s->afterLastKey;
}

void ProfileDocument::eraseSection(const Bytes &section) {
    auto it = names_.find(textscan::foldName(section));
    if (it == names_.end() || it->second.empty())
        return;
    Section &s = sections_[it->second.front()];
    it->second.erase(it->second.begin());
    lastSection_ = -2;
    s.erased = true;
    s.body.erase(std::remove_if(s.body.begin(), s.body.end(), [](const Line &l) { return l.equals >= 0; }),
                 s.body.end());
    s.keys.clear();
    s.afterLastKey = 0;
}

Bytes ProfileDocument::text() const {
    Bytes out;
    out.reserve(source_.size() + source_.size() / 8 + 256);
    // Only the file's last line can lack a line end; a line added behind it
    // gives it one.
    bool unended = false;
    auto put = [&](const Line &line) {
        if (unended)
            out += "\r\n";
        out += line.text;
        out += endBytes(int(line.end));
        unended = line.end == End::None;
    };
    for (const Section &s : sections_) {
        if (s.hasHeader && !s.erased)
            put(s.header);
        for (const Line &line : s.body)
            put(line);
    }
    return out;
}

} // namespace vb
