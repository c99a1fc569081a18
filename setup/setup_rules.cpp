#include "setup/setup_rules.h"

#include "messages/numbers.h"
#include "platform/files.h"

namespace vb {

const std::array<const char *, 5> &informationWords() {
    static const std::array<const char *, 5> words = {kWordTitle, kWordName, kWordMailAddress, kWordWebAddress,
                                                      kWordDate};
    return words;
}

const std::array<const char *, 5> &fileWords() {
    static const std::array<const char *, 5> words = {kWordTXT, kWordDOC, kWordMAN, kWordGGG, kWordINI};
    return words;
}

// The values a category section reads when its keys are missing, except
// that a new category is enabled and sorted newest first.
CategoryRecord newCategoryTemplate(const Bytes &exeDir) {
    CategoryRecord r;
    for (const CategoryKey &key : categoryKeys())
        r[key.slot] = key.defaultsToExeDir ? exeDir : key.def;
    r[kSlotEnabled] = kWordEnable;
    r[kSlotSortStyle] = kWordDescendingOrder;
    r[kSlotFixedFontStyle] = kWordNoStyle;
    r[kSlotFixedFontColor] = kWordWindowText;
    r[kSlotVariableFontStyle] = kWordNoStyle;
    r[kSlotVariableFontColor] = kWordWindowText;
    return r;
}

Bytes padToThree(Bytes text) {
    while (text.size() < 3)
        text += '0';
    return text;
}

Bytes pickedDirectory(const Bytes &dir) { return dir == Bytes(1, kSep) ? dir : dir + kSep; }

Bytes nearestExistingDirectory(const Bytes &dir) {
    Bytes d = dir;
    while (d.size() > 1 && d.back() == kSep)
        d.pop_back();
    while (!d.empty() && !isDirectory(d)) {
        const size_t p = d.rfind(kSep);
        d = p == Bytes::npos ? Bytes() : p == 0 ? Bytes(1, kSep) : d.substr(0, p);
    }
    return d.empty() ? Bytes(1, kSep) : d;
}

int pointSizeValue(const Bytes &text) {
    int value = 12;
    return tryWholeNumber(text, value) ? value : 12;
}

Bytes fontCaption(const Bytes &face, int points) { return face + cp(u8"／") + std::to_string(points) + " point"; }

int liveEntries(const CategoryTable &table) {
    int n = 0;
    while (n < table.size() && table[n].isEnabled())
        ++n;
    return n;
}

} // namespace vb
